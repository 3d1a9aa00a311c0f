// The desktop program: the main window, run modally; the program ends when it closes.
#include "app/main_window/main_dlg.h"
#include "app/main_window/recent_downloads_menu.h"
#include "app/main_window/qt_translation.h"
#include "app/ui_fonts.h"
#include "common/program_version.h"
#include "common/temporary_files.h"

#include <QApplication>
#include <QFile>
#include <QTimer>

int main(int argc, char** argv) {
    if (vm::PrintVersionIfAsked(argc, argv, "veltramarlin"))
        return 0;                      // answered before any window system is needed
    vm::RemoveTemporariesOnSignals();  // a kill or a closed session leaves no half-written file
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("veltramarlin"));
    QApplication::setFont(vm::ApplicationFont());
    vm::InstallQtTranslation(app);
    vm::CMainDlg dlg;
    // A file named on the command line (the desktop's "open with") is opened
    // into the pane once the window runs, so a failure message has its owner.
    const QStringList files = QApplication::arguments().mid(1);
    if (!files.isEmpty()) {
        const std::string path = QFile::encodeName(files.first()).toStdString();
        QTimer::singleShot(0, &dlg, [&dlg, path] { dlg.OpenPaneFile(path); });
    }
    // Once the window is up: offer a download that a crash or power cut cut short.
    QTimer::singleShot(0, &dlg, [&dlg] { vm::OfferInterruptedDownload(dlg); });
    dlg.exec();
    return 0;
}
