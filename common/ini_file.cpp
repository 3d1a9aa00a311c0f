#include "common/ini_file.h"

#include <cctype>
#include <cerrno>
#include <vector>

#include "common/file_io.h"
#include "common/number.h"

namespace vm {
namespace {

std::string Trim(const std::string& s) {
    const char* ws = " \t\r\n";
    const size_t first = s.find_first_not_of(ws);
    if (first == std::string::npos) return std::string();
    return s.substr(first, s.find_last_not_of(ws) - first + 1);
}

bool SameName(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        const unsigned char x = static_cast<unsigned char>(a[i]);
        const unsigned char y = static_cast<unsigned char>(b[i]);
        if (std::tolower(x) != std::tolower(y)) return false;
    }
    return true;
}

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

// "[name]" gives true and the name.
bool SectionName(const std::string& line, std::string& name) {
    const std::string t = Trim(line);
    if (t.size() < 2 || t.front() != '[') return false;
    const size_t close = t.find(']');
    if (close == std::string::npos) return false;
    name = Trim(t.substr(1, close - 1));
    return true;
}

// "key=value" gives true with the trimmed key and value.
bool KeyValue(const std::string& line, std::string& key, std::string& value) {
    const std::string t = Trim(line);
    if (t.empty() || t[0] == ';') return false;
    const size_t eq = t.find('=');
    if (eq == std::string::npos) return false;
    key = Trim(t.substr(0, eq));
    value = Trim(t.substr(eq + 1));
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    return true;
}

std::string Join(const std::vector<std::string>& lines) {
    std::string out;
    for (const std::string& line : lines) out += line + "\r\n";
    return out;
}

}  // namespace

bool IniLookup(const std::string& text, const std::string& section, const std::string& key,
               std::string& value) {
    bool inSection = false;
    for (const std::string& line : SplitLines(text)) {
        std::string name, k, v;
        if (SectionName(line, name)) {
            inSection = SameName(name, section);
        } else if (inSection && KeyValue(line, k, v) && SameName(k, key)) {
            value = v;
            return true;
        }
    }
    return false;
}

std::string IniWithValue(const std::string& text, const std::string& section,
                         const std::string& key, const std::string& value) {
    std::vector<std::string> lines = SplitLines(text);
    const std::string entry = key + "=" + value;
    bool inSection = false;
    long long sectionEnd = -1;  // index after the last non-blank line of the section
    for (size_t i = 0; i < lines.size(); ++i) {
        std::string name, k, v;
        if (SectionName(lines[i], name)) {
            if (inSection) break;
            inSection = SameName(name, section);
            if (inSection) sectionEnd = static_cast<long long>(i) + 1;
        } else if (inSection) {
            if (KeyValue(lines[i], k, v) && SameName(k, key)) {
                lines[i] = entry;
                return Join(lines);
            }
            if (!Trim(lines[i]).empty()) sectionEnd = static_cast<long long>(i) + 1;
        }
    }
    if (sectionEnd >= 0) {
        lines.insert(lines.begin() + sectionEnd, entry);
    } else {
        lines.push_back("[" + section + "]");
        lines.push_back(entry);
    }
    return Join(lines);
}

std::string IniGetString(const std::string& path, const std::string& section,
                         const std::string& key, const std::string& defaultValue) {
    std::string text, value;
    if (!ReadFileBytes(path, text)) return defaultValue;
    return IniLookup(text, section, key, value) ? value : defaultValue;
}

long long IniGetInt(const std::string& path, const std::string& section, const std::string& key,
                    long long defaultValue) {
    std::string text, value;
    if (!ReadFileBytes(path, text) || !IniLookup(text, section, key, value)) return defaultValue;
    return AtoI(value);
}

bool IniWriteString(const std::string& path, const std::string& section, const std::string& key,
                    const std::string& value, std::string* error) {
    std::string text;
    FileError readError;
    if (!ReadFileBytes(path, text, &readError) && readError.code != ENOENT) {
        if (error) *error = readError.message;
        return false;
    }
    FileError writeError;
    if (!WriteFileAtomic(path, IniWithValue(text, section, key, value), &writeError)) {
        if (error) *error = writeError.message;
        return false;
    }
    return true;
}

bool IniWriteInt(const std::string& path, const std::string& section, const std::string& key,
                 long long value, std::string* error) {
    return IniWriteString(path, section, key, std::to_string(value), error);
}

}  // namespace vm
