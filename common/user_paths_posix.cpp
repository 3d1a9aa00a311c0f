#include "common/user_paths.h"

#include <cerrno>
#include <cstdlib>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vm {
namespace {

const char* kAppFolder = "VeltraMarlin";

std::string HomeDir() {
    const char* home = std::getenv("HOME");
    if (home && *home)
        return home;
    if (const passwd* pw = ::getpwuid(::getuid()))
        return pw->pw_dir;
    return "/tmp";
}

std::string XdgFolder(const char* variable, const char* fallbackBelowHome) {
    const char* value = std::getenv(variable);
    // A relative XDG path is invalid by the standard and is ignored.
    std::string base = (value && value[0] == '/') ? value : HomeDir() + "/" + fallbackBelowHome;
    std::string dir = base + "/" + kAppFolder;
    MakeFolders(dir);
    return dir;
}

}  // namespace

bool MakeFolders(const std::string& dir, unsigned permissions) {
    if (dir.empty())
        return false;
    for (size_t slash = dir.find('/', 1);; slash = dir.find('/', slash + 1)) {
        const std::string part = slash == std::string::npos ? dir : dir.substr(0, slash);
        if (::mkdir(part.c_str(), permissions) != 0 && errno != EEXIST)
            return false;
        if (slash == std::string::npos)
            break;
    }
    struct stat st {};
    return ::stat(dir.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string UserConfigDir() {
    return XdgFolder("XDG_CONFIG_HOME", ".config");
}
std::string UserDataDir() {
    return XdgFolder("XDG_DATA_HOME", ".local/share");
}
std::string PathInFolder(const std::string& dir, const std::string& name) {
    return dir + "/" + name;
}

}  // namespace vm
