#include "tests/support/gui_app.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>

#include <climits>
#include <unistd.h>

namespace vm::test {

void EnsureApplication() {
    static int argc = 1;
    static char name[] = "vm_tests";
    static char* argv[] = {name, nullptr};
    if (!QApplication::instance())
        new QApplication(argc, argv);
}

QWidgetList LeftoverTopLevelWidgets() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QWidgetList left;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        // Menus and tooltips are cached by Qt itself, not left by the test.
        if (w->windowType() == Qt::Popup || w->windowType() == Qt::ToolTip)
            continue;
        if (w->inherits("QMenu"))
            continue;
        left.append(w);
    }
    return left;
}

ScopedCurrentDir::ScopedCurrentDir(const std::string& dir) {
    char buffer[PATH_MAX];
    if (::getcwd(buffer, sizeof buffer))
        m_previous = buffer;
    if (::chdir(dir.c_str()) != 0)
        m_previous.clear();
}

ScopedCurrentDir::~ScopedCurrentDir() {
    if (!m_previous.empty() && ::chdir(m_previous.c_str()) != 0) {
        // Nothing sensible to do in a destructor; the next test sets its own folder.
    }
}

}  // namespace vm::test
