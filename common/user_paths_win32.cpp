#include "common/user_paths.h"

#include <cwchar>
#include <windows.h>

#include "common/wide_text_win32.h"

namespace vm {
namespace {

const char* kAppFolder = "VeltraMarlin";

// %variable%\VeltraMarlin, created on first use; the user's profile folder
// stands in when the variable is missing.
std::string KnownFolder(const wchar_t* variable, const wchar_t* fallbackBelowProfile) {
    std::wstring base;
    if (const wchar_t* value = ::_wgetenv(variable); value && *value) {
        base = value;
    } else if (const wchar_t* profile = ::_wgetenv(L"USERPROFILE"); profile && *profile) {
        base = std::wstring(profile) + L"\\" + fallbackBelowProfile;
    } else {
        base = L".";
    }
    const std::string dir = PathInFolder(win32::Utf8FromWide(base), kAppFolder);
    MakeFolders(dir);
    return dir;
}

}  // namespace

bool MakeFolders(const std::string& dir, unsigned /*permissions*/) {
    if (dir.empty())
        return false;
    // Each prefix that ends before a separator, the drive ("C:") and the
    // server part of a network path skipped by CreateDirectoryW's own refusal.
    for (size_t sep = dir.find_first_of("/\\", 1);; sep = dir.find_first_of("/\\", sep + 1)) {
        const std::string part = sep == std::string::npos ? dir : dir.substr(0, sep);
        if (!part.empty() && part.back() != ':')
            ::CreateDirectoryW(win32::WideFromUtf8(part).c_str(), nullptr);
        if (sep == std::string::npos)
            break;
    }
    const DWORD attributes = ::GetFileAttributesW(win32::WideFromUtf8(dir).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string UserConfigDir() {
    return KnownFolder(L"APPDATA", L"AppData\\Roaming");
}
std::string UserDataDir() {
    return KnownFolder(L"LOCALAPPDATA", L"AppData\\Local");
}
std::string PathInFolder(const std::string& dir, const std::string& name) {
    return dir + "\\" + name;
}

}  // namespace vm
