#pragma once
// A real main window for each test, with the scripted desktop answering, the
// per-user folders and the current directory (./ConfigFile.ini) in a fresh
// temporary folder, and a check that the test leaves no window behind; also
// what every GUI test shares: the one QApplication (offscreen under ctest),
// reaching controls and letting the event loop run.

#include "app/control_id.h"
#include "app/main_window/main_dlg.h"
#include "serial/serial_port.h"
#include "tools/sim_instrument.h"
#include "tests/support/scripted_desktop.h"
#include "tests/support/temp_dir.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFocusEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QToolBar>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

namespace vm::test {

// Creates the QApplication on first use.
inline void EnsureApplication() {
    static int argc = 1;
    static char name[] = "vm_tests";
    static char* argv[] = {name, nullptr};
    if (!QApplication::instance())
        new QApplication(argc, argv);
}

// A control of a dialog or window by its id (a test failure when missing).
template <class T = QWidget>
T* Ctl(const QWidget& dialog, int id) {
    T* control = FindControl<T>(&dialog, id);
    EXPECT_NE(control, nullptr) << "control " << id;
    return control;
}

inline void Click(const QWidget& dialog, int id) {
    Ctl<QAbstractButton>(dialog, id)->click();
}

// Moves the keyboard focus out of a box, as Tab would.
inline void Leave(const QWidget& dialog, int id) {
    QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(Ctl(dialog, id), &leave);
}

// Lets the event loop run until done() holds or timeoutMs have passed.
template <typename Pred>
bool RunEventsUntil(Pred done, int timeoutMs) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < timeoutMs)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return done();
}

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        EnsureApplication();
        setenv("XDG_DATA_HOME", dir.file("data").c_str(), 1);
        setenv("XDG_CONFIG_HOME", dir.file("config").c_str(), 1);
        previousDir = std::filesystem::current_path();
        std::filesystem::current_path(dir.path());
    }

    void TearDown() override {
        main.reset();
        std::error_code ignored;  // the next test sets its own folder
        std::filesystem::current_path(previousDir, ignored);
        unsetenv("XDG_DATA_HOME");
        unsetenv("XDG_CONFIG_HOME");
        // No window is left behind, after deferred deletions ran (the menus and
        // tooltips Qt keeps for itself aside).
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        for (QWidget* w : QApplication::topLevelWidgets()) {
            EXPECT_TRUE(w->windowType() == Qt::Popup || w->windowType() == Qt::ToolTip ||
                        w->inherits("QMenu"))
                << w->metaObject()->className();
        }
    }

    CMainDlg& Window() {
        if (!main)
            main = std::make_unique<CMainDlg>();
        return *main;
    }

    QAction* MenuAction(int id) { return FindControl<QAction>(Window().menuBar(), id); }

    // Puts bytes into the pane as a download or Open would.
    void ShowInPane(const std::string& bytes) {
        Window().m_strText = bytes;
        Window().UpdateData(false);
    }
    std::string StatusLine() { return Window().m_editStatus->text().toStdString(); }

    TempDir dir;
    std::filesystem::path previousDir;
    ScriptedDesktop desk;
    std::unique_ptr<CMainDlg> main;
};

// The main window with port 1 (at 38400 baud, as Device1 in ./ConfigFile.ini)
// on a simulated instrument behind a pseudo-terminal.
class InstrumentWindowTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        std::string error;
        ASSERT_TRUE(pty.Create(error)) << error;
        UseDevice(pty.DevicePath());
    }
    void TearDown() override {
        g_serialPort.Close();
        MainWindowTest::TearDown();
    }
    // Names the device of port 1; must run before Window().
    void UseDevice(const std::string& device) {
        dir.write("ConfigFile.ini", "[ComConfig]\r\nBaud=6\r\nDevice1=" + device + "\r\n");
    }

    sim::CPtyInstrument pty;
};

}  // namespace vm::test
