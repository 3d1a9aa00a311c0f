#include "app/main_window/recent_files.h"

#include "dialogs/app_info.h"
#include "app/control_id.h"
#include "app/desktop.h"
#include "app/main_window/main_dlg.h"
#include "common/ini_file.h"
#include "common/user_paths.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>

#include <algorithm>

namespace vm {
namespace {

std::string Key(size_t i) {
    return "File" + std::to_string(i + 1);
}

}  // namespace

std::vector<std::string> LoadRecentFiles(const std::string& iniPath) {
    std::vector<std::string> files;
    for (size_t i = 0; i < kMaxRecentFiles; ++i) {
        const std::string path = IniGetString(iniPath, kRecentSection, Key(i), "");
        if (!path.empty())
            files.push_back(path);
    }
    return files;
}

std::vector<std::string> AddRecentFile(const std::string& iniPath, const std::string& path) {
    std::vector<std::string> files = LoadRecentFiles(iniPath);
    files.erase(std::remove(files.begin(), files.end(), path), files.end());
    files.insert(files.begin(), path);
    if (files.size() > kMaxRecentFiles)
        files.resize(kMaxRecentFiles);
    for (size_t i = 0; i < kMaxRecentFiles; ++i)
        IniWriteString(iniPath, kRecentSection, Key(i), i < files.size() ? files[i] : "");
    return files;
}

std::string TitleForFile(const std::string& path) {
    if (path.empty())
        return kAppTitle;
    const QString name = QFileInfo(PathText(path)).fileName();
    return std::string(kAppTitle) + " - " + name.toStdString();
}

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
