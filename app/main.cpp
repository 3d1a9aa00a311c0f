// The desktop program: the main window, run modally; the program ends when it closes.
#include "app/main_dlg.h"
#include "app/main_window/recent_downloads_menu.h"
#include "app/ui_fonts.h"

#include <QApplication>
#include <QTimer>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("veltramarlin"));
    QApplication::setFont(vm::ApplicationFont());
    vm::CMainDlg dlg;
    // Once the window is up: offer a download that a crash or power cut cut short.
    QTimer::singleShot(0, &dlg, [&dlg] { vm::OfferInterruptedDownload(dlg); });
    dlg.exec();
    return 0;
}
