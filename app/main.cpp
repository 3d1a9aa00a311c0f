// The desktop program: the main window, run modally; the program ends when it closes.
#include "app/main_dlg.h"
#include "app/main_window/qt_translation.h"
#include "app/ui_fonts.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("veltramarlin"));
    QApplication::setFont(vm::ApplicationFont());
    vm::InstallQtTranslation(app);
    vm::CMainDlg dlg;
    dlg.exec();
    return 0;
}
