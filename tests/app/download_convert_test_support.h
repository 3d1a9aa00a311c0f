#pragma once
// Shared by the download conversion tests: a fresh application state per test
// (the six paths emptied, the work file in a folder of the test's own, a
// scripted desktop) and small helpers to reach the dialog's controls.

#include <QAbstractButton>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QWidget>

#include <cstdlib>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "app/control_id.h"
#include "app/download_convert_dlg.h"
#include "app/download_convert_paths.h"
#include "tests/support/gui_app.h"
#include "tests/support/scripted_desktop.h"
#include "tests/support/temp_dir.h"

namespace vm::test {

inline void ClearDownloadConvertPaths() {
    for (std::string* path : {&g_strMeasSource, &g_strCoordExtractTarget, &g_strAngleDistTarget,
                              &g_strAngleTarget, &g_strCoordSource, &g_strCoordTarget})
        path->clear();
}

class DownloadConvertTest : public ::testing::Test {
protected:
    void SetUp() override {
        EnsureApplication();
        ::setenv("XDG_DATA_HOME", m_dir.file("data").c_str(), 1);
        ClearDownloadConvertPaths();
        m_desktop = std::make_unique<ScriptedDesktop>();
    }
    void TearDown() override {
        m_desktop.reset();
        ClearDownloadConvertPaths();
        ::unsetenv("XDG_DATA_HOME");
    }

    TempDir m_dir;
    std::unique_ptr<ScriptedDesktop> m_desktop;
};

template <class T = QWidget>
T* Ctl(const QWidget& dialog, int id) {
    T* control = FindControl<T>(&dialog, id);
    EXPECT_NE(control, nullptr) << "control " << id;
    return control;
}

inline void Click(const QWidget& dialog, int id) {
    Ctl<QAbstractButton>(dialog, id)->click();
}

// Lets the event loop run until the dialog's conversion has ended.
inline bool WaitForRun(const CDownloadConvertDlg& dialog, int timeoutMs = 20000) {
    QElapsedTimer timer;
    timer.start();
    while (dialog.IsConverting() && timer.elapsed() < timeoutMs)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return !dialog.IsConverting();
}

}  // namespace vm::test
