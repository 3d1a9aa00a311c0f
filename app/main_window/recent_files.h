#pragma once
// 文件 ▸ 最近打开的文件: the last eight files opened into the pane or saved
// from it, newest first, kept in the per-user settings; and the file name in
// the title bar.

#include <QObject>

#include <string>
#include <vector>

class QMenu;

namespace vm {

class CMainDlg;

inline constexpr size_t kMaxRecentFiles = 8;
inline constexpr const char* kRecentSection = "RecentFiles";

// The stored list, newest first.
std::vector<std::string> LoadRecentFiles(const std::string& iniPath);
// Puts path first (once), keeps the newest kMaxRecentFiles and stores them.
std::vector<std::string> AddRecentFile(const std::string& iniPath, const std::string& path);

// "VeltraMarlin(2.5) - name" (the program's title alone for an empty path).
std::string TitleForFile(const std::string& path);

class CRecentFiles : public QObject {
    Q_OBJECT
public:
    // Fills the 文件 menu's submenu of recent files.
    explicit CRecentFiles(CMainDlg& dlg);
    static CRecentFiles* Of(CMainDlg& dlg);

    // The pane now shows path (opened or saved): title and list follow.
    void NoteFile(const std::string& path);
    // The pane holds no file of its own any more (New, a download).
    void NoteNoFile();
    QMenu* Menu() const { return m_menu; }

private:
    void Rebuild();

    CMainDlg& m_dlg;
    QMenu* m_menu = nullptr;
};

}  // namespace vm
