#pragma once
// Where the program keeps its files.
//  - LocalIniPath: "ConfigFile.ini" in the current directory (serial settings).
//  - UserIniPath: "ConfigFile.ini" in the per-user configuration folder
//    ($XDG_CONFIG_HOME or ~/.config, then "VeltraMarlin/"): layouts, DXF settings.
//  - WorkFilePath: "veltratemp.txt" in the per-user data folder
//    ($XDG_DATA_HOME or ~/.local/share, then "VeltraMarlin/"), owner-only.
// The folders are created (owner-only) on first use. On Windows the folders
// are %APPDATA%\VeltraMarlin (configuration) and %LOCALAPPDATA%\VeltraMarlin
// (data), the places Windows programs keep per-user settings and files.

#include <string>

namespace vm {

std::string LocalIniPath();
std::string UserConfigDir();
std::string UserDataDir();
std::string UserIniPath();
std::string WorkFilePath();

// Creates dir and its missing parents with the given permissions; true when it exists after.
bool MakeFolders(const std::string& dir, unsigned permissions = 0700);

// dir and name joined with the system's folder separator.
std::string PathInFolder(const std::string& dir, const std::string& name);

}  // namespace vm
