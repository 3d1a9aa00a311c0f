#include "common/user_paths.h"

namespace vm {

std::string LocalIniPath() {
    return "ConfigFile.ini";
}
std::string UserIniPath() {
    return PathInFolder(UserConfigDir(), "ConfigFile.ini");
}
std::string WorkFilePath() {
    return PathInFolder(UserDataDir(), "veltratemp.txt");
}

}  // namespace vm
