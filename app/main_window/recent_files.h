#pragma once
// 文件 ▸ 最近打开的文件 in the Qt window: the stored list
// (dialogs/recent_files.h) as a submenu, and the file name in the title bar.

#include <QObject>

#include "dialogs/recent_files.h"

#include <string>
#include <vector>

class QMenu;

namespace vm {

class CMainDlg;

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
