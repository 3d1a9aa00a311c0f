#pragma once
// 文件 ▸ 最近打开的文件: the last eight files opened into the pane or saved
// from it, newest first, kept in the per-user settings, the same list for
// both desktop programs; and the file name in the title bar.

#include <cstddef>
#include <string>
#include <vector>

namespace vm {

inline constexpr size_t kMaxRecentFiles = 8;
inline constexpr const char* kRecentSection = "RecentFiles";

// The stored list, newest first.
std::vector<std::string> LoadRecentFiles(const std::string& iniPath);
// Puts path first (once), keeps the newest kMaxRecentFiles and stores them.
std::vector<std::string> AddRecentFile(const std::string& iniPath, const std::string& path);

// "VeltraMarlin(2.5) - name" (the program's title alone for an empty path).
std::string TitleForFile(const std::string& path);

// The Windows menu entry of the index-th file (from 0): "&1 path".
std::string RecentFileCaption(size_t index, const std::string& path);

}  // namespace vm
