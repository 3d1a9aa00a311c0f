#include "app/main_window/recent_files.h"

#include "dialogs/app_info.h"
#include "app/control_id.h"
#include "app/desktop.h"
#include "app/main_window/main_dlg.h"
#include "common/user_paths.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace vm {

CRecentFiles::CRecentFiles(CMainDlg& dlg) : QObject(&dlg), m_dlg(dlg) {
    setObjectName(QStringLiteral("recentFiles"));
    m_menu = dlg.menuBar()->findChild<QMenu*>(QString::fromLatin1(kRecentFilesMenuName));
    Rebuild();
}

CRecentFiles* CRecentFiles::Of(CMainDlg& dlg) {
    return dlg.findChild<CRecentFiles*>(QStringLiteral("recentFiles"), Qt::FindDirectChildrenOnly);
}

void CRecentFiles::NoteFile(const std::string& path) {
    m_dlg.setWindowTitle(QString::fromStdString(TitleForFile(path)));
    AddRecentFile(UserIniPath(), path);
    Rebuild();
}

void CRecentFiles::NoteNoFile() {
    m_dlg.setWindowTitle(QString::fromUtf8(kAppTitle));
}

void CRecentFiles::Rebuild() {
    m_menu->clear();
    const std::vector<std::string> files = LoadRecentFiles(UserIniPath());
    for (size_t i = 0; i < files.size(); ++i) {
        const std::string path = files[i];
        QAction* action = m_menu->addAction(QStringLiteral("&%1 ").arg(i + 1) + PathText(path));
        connect(action, &QAction::triggered, this, [this, path] { m_dlg.OpenPaneFile(path); });
    }
    m_menu->setEnabled(!files.empty());
}

}  // namespace vm
