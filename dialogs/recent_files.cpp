#include "dialogs/recent_files.h"

#include <algorithm>

#include "common/ini_file.h"
#include "dialogs/app_info.h"

namespace vm {
namespace {

std::string Key(size_t i) {
    return "File" + std::to_string(i + 1);
}

}  // namespace

std::vector<std::string> LoadRecentFiles(const std::string& iniPath) {
    std::vector<std::string> files;
    for (size_t i = 0; i < kMaxRecentFiles; ++i) {
        const std::string path = IniGetString(iniPath, kRecentSection, Key(i), "");
        if (!path.empty())
            files.push_back(path);
    }
    return files;
}

std::vector<std::string> AddRecentFile(const std::string& iniPath, const std::string& path) {
    std::vector<std::string> files = LoadRecentFiles(iniPath);
    files.erase(std::remove(files.begin(), files.end(), path), files.end());
    files.insert(files.begin(), path);
    if (files.size() > kMaxRecentFiles)
        files.resize(kMaxRecentFiles);
    for (size_t i = 0; i < kMaxRecentFiles; ++i)
        IniWriteString(iniPath, kRecentSection, Key(i), i < files.size() ? files[i] : "");
    return files;
}

// The name after the last folder separator; Windows paths use either.
std::string TitleForFile(const std::string& path) {
    if (path.empty())
        return kAppTitle;
    const size_t slash = path.find_last_of("/\\");
    return std::string(kAppTitle) + " - " +
           (slash == std::string::npos ? path : path.substr(slash + 1));
}

std::string RecentFileCaption(size_t index, const std::string& path) {
    return "&" + std::to_string(index + 1) + " " + path;
}

}  // namespace vm
