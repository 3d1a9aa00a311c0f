#include "app/file_filter.h"

#include "common/file_io.h"

#include <vector>

namespace vm {
namespace {

std::vector<std::string> SplitOn(const std::string& s, char separator) {
    std::vector<std::string> parts;
    std::string part;
    for (char c : s) {
        if (c == separator) {
            parts.push_back(part);
            part.clear();
        } else {
            part += c;
        }
    }
    if (!part.empty())
        parts.push_back(part);
    return parts;
}

std::string QtPatterns(const std::string& mfcPatterns) {
    std::string out;
    for (const std::string& p : SplitOn(mfcPatterns, ';')) {
        if (p.empty())
            continue;
        if (!out.empty())
            out += ' ';
        out += (p == "*.*") ? "*" : p;
    }
    return out.empty() ? "*" : out;
}

}  // namespace

std::string QtFileFilter(const std::string& mfcFilter) {
    const std::vector<std::string> parts = SplitOn(mfcFilter, '|');
    std::string out;
    for (size_t i = 0; i + 1 < parts.size(); i += 2) {
        if (!out.empty())
            out += ";;";
        out += parts[i] + " (" + QtPatterns(parts[i + 1]) + ")";
    }
    return out;
}

std::string BareExtension(const std::string& defaultExt) {
    size_t start = 0;
    while (start < defaultExt.size() && (defaultExt[start] == '*' || defaultExt[start] == '.')) {
        ++start;
    }
    return defaultExt.substr(start);
}

std::string WithDefaultExtension(const std::string& path, const std::string& defaultExt) {
    const std::string ext = BareExtension(defaultExt);
    if (ext.empty() || path.empty() || path.back() == '/')
        return path;
    const size_t slash = path.find_last_of('/');
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    if (name.find('.') != std::string::npos)
        return path;
    return path + "." + ext;
}

std::string ApplyDefaultExtension(const std::string& path, const std::string& defaultExt,
                                  bool forOpen) {
    if (!forOpen)
        return WithDefaultExtension(path, defaultExt);
    if (FileExists(path))
        return path;
    const std::string extended = WithDefaultExtension(path, defaultExt);
    return FileExists(extended) ? extended : path;
}

}  // namespace vm
