#pragma once
// The main window as a resizable window: the pane takes every extra pixel,
// the status line (with the upload's progress bar and 停止 button beside it)
// stays at the bottom, and the minimum size fits a 1366×768 screen with its
// task bar. Position and size are kept in the per-user settings between runs.

#include <QMargins>
#include <QObject>
#include <QRect>
#include <QSize>

#include <string>
#include <vector>

namespace vm {

class CMainDlg;

// The smallest window: room for the menu, the toolbar, some lines of the pane
// and the status line, well inside 1366×768 less a task bar.
inline constexpr QSize kMainWindowMinimum(420, 360);

// Widgets with this property set sit beside the status line, right-aligned.
inline constexpr const char* kStatusExtraProperty = "statusExtra";

// Section and keys of the remembered geometry in the per-user ConfigFile.ini.
inline constexpr const char* kWindowSection = "MainWindow";

struct WindowPlacement {
    QRect frame;  // the window's position and size; empty when none was stored
    bool maximized = false;
};

WindowPlacement LoadWindowPlacement(const std::string& iniPath);
void SaveWindowPlacement(const std::string& iniPath, const WindowPlacement& placement);

// Room for the title bar and borders that the desktop puts around the window,
// while the window has not been shown and its real frame is not yet known.
inline constexpr QMargins kFrameAllowance(8, 40, 8, 8);

// A stored placement (frame's top-left, inner size) fitted to the screens the
// user has now (their available areas, the primary first): the window with
// its frame lies within one screen's available area, never larger than it.
// The stored place is kept while it is still on a screen; otherwise, and on
// the first run (with the template size), the window is centred on the primary.
QRect FittedPlacement(const QRect& stored, const QSize& templateSize,
                      const std::vector<QRect>& screens, const QMargins& frame = kFrameAllowance);

// Lays the main window's controls out on every resize and remembers the
// placement when the window closes.
class CWindowFrame : public QObject {
    Q_OBJECT
public:
    explicit CWindowFrame(CMainDlg& dlg);
    // Places the controls for the window's present size.
    void LayOut();
    // Restores the placement stored in iniPath (fitted to the screen).
    void Restore(const std::string& iniPath);
    void Save(const std::string& iniPath) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    CMainDlg& m_dlg;
};

}  // namespace vm
