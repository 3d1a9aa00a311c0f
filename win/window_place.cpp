#include "win/window_place.h"

#include "common/ini_file.h"
#include "common/user_paths.h"

namespace vm::win32 {
namespace {

const char* const kSection = "MainWindow";

}  // namespace

bool RestoreWindowPlace(HWND window, int show) {
    const std::string ini = UserIniPath();
    auto get = [&](const char* key) { return int(IniGetInt(ini, kSection, key, 0)); };
    const RECT frame{get("x"), get("y"), get("x") + get("width"), get("y") + get("height")};
    if (frame.right <= frame.left || frame.bottom <= frame.top ||
        !MonitorFromRect(&frame, MONITOR_DEFAULTTONULL))
        return false;
    WINDOWPLACEMENT place{};
    place.length = sizeof place;
    place.rcNormalPosition = frame;
    place.showCmd = get("maximized") ? SW_SHOWMAXIMIZED : show;
    return SetWindowPlacement(window, &place);
}

void RememberWindowPlace(HWND window) {
    WINDOWPLACEMENT place{};
    place.length = sizeof place;
    if (!GetWindowPlacement(window, &place))
        return;
    const RECT& r = place.rcNormalPosition;
    const std::string ini = UserIniPath();
    MakeFolders(UserConfigDir());
    IniWriteInt(ini, kSection, "x", r.left);
    IniWriteInt(ini, kSection, "y", r.top);
    IniWriteInt(ini, kSection, "width", r.right - r.left);
    IniWriteInt(ini, kSection, "height", r.bottom - r.top);
    IniWriteInt(ini, kSection, "maximized", place.showCmd == SW_SHOWMAXIMIZED ? 1 : 0);
}

}  // namespace vm::win32
