// Command 1026 from the main window: the pane to the work file, classification,
// the confirmation questions, the three modes, and a conversion to the end.

#include <QComboBox>
#include <QTimer>

#include <functional>

#include "app/main_dlg.h"
#include "app/main_dlg_commands.h"
#include "common/file_io.h"
#include "common/user_paths.h"
#include "tests/app/download_convert_test_support.h"

namespace vm::test {
namespace {

const char kMeasurementPane[] =
    "UNITS m,d\r\nATMOS 20,1013\r\nSTN A,1.500,\r\nSS P1,1.600,TREE\r\nSD 1234500,900000,100000\r\n"
    "SS P4,1.500,POLE\r\nXYZ 1000000,2000000,50000\r\n";
const char kCoordinatePane[] = "ATMOS 20,1013\r\nP7,1234567,2345678,12345,TREE\r\n";

class CmdDownloadConvertTest : public DownloadConvertTest {
protected:
    void SetUp() override {
        DownloadConvertTest::SetUp();
        m_main = std::make_unique<CMainDlg>();
    }
    void TearDown() override {
        m_main.reset();
        DownloadConvertTest::TearDown();
    }

    void SetPane(const std::string& text) {
        m_main->m_strText = text;
        m_main->UpdateData(false);
    }

    // Runs command 1026; when its dialog opens, act on it, then close it.
    // Returns the mode the dialog opened in, or -1 when no dialog opened.
    int RunCommand(const std::function<void(CDownloadConvertDlg&)>& act = {}) {
        int mode = -1;
        QTimer timer;  // ends with this call, so it never fires into a later test
        timer.setInterval(0);
        QObject::connect(&timer, &QTimer::timeout, [&] {
            auto* dialog = m_main->findChild<CDownloadConvertDlg*>();
            if (!dialog || !dialog->isVisible())
                return;
            timer.stop();
            mode = dialog->m_nMode;
            if (act)
                act(*dialog);
            dialog->reject();
        });
        timer.start();
        OnDownloadConvert(*m_main);
        return mode;
    }

    std::unique_ptr<CMainDlg> m_main;
};

TEST_F(CmdDownloadConvertTest, MeasurementPaneConfirmedConvertsTheWorkFile) {
    SetPane(kMeasurementPane);
    m_desktop->answerMessage(MsgResult::Yes);
    const std::string target = m_dir.file("points.txt");
    std::string status;
    const int mode = RunCommand([&](CDownloadConvertDlg& dialog) {
        m_desktop->answerFile(target);
        Click(dialog, 1073);
        Click(dialog, 1);
        ASSERT_TRUE(WaitForRun(dialog));
        status = dialog.m_strStatus;
    });
    EXPECT_EQ(mode, 1);
    ASSERT_EQ(m_desktop->callsOf(DesktopCall::Message).size(), 1u);
    const DesktopCall question = m_desktop->callsOf(DesktopCall::Message)[0];
    EXPECT_EQ(question.text, "你打开的是测量文件???");
    EXPECT_EQ(question.buttons, MsgButtons::YesNo);
    EXPECT_EQ(question.icon, MsgIcon::Question);

    EXPECT_EQ(TempDir::read(WorkFilePath()), kMeasurementPane);
    EXPECT_EQ(TempDir::read(target), "P4,1000.000,2000.000,50.000\r\n");
    EXPECT_EQ(status, "转换保存成功!");
}

TEST_F(CmdDownloadConvertTest, CoordinatePaneNeedsOnlyATargetAndKeepsItForTheNextOpening) {
    SetPane(kCoordinatePane);
    m_desktop->answerMessage(MsgResult::Yes);
    const std::string target = m_dir.file("sv300.txt");
    const int mode = RunCommand([&](CDownloadConvertDlg& dialog) {
        Ctl<QComboBox>(dialog, 1077)->setCurrentIndex(2);
        m_desktop->answerFile(target);
        Click(dialog, 1079);
        Click(dialog, 1);
        ASSERT_TRUE(WaitForRun(dialog));
    });
    EXPECT_EQ(mode, 2);
    EXPECT_EQ(m_desktop->messages().front(), "你打开的是坐标文件???");
    EXPECT_EQ(TempDir::read(target), "1,P7,TREE,2345.678,1234.567,12.345\r\n");

    // Opened again: the kept target converts at once with the default layout.
    m_desktop->answerMessage(MsgResult::Yes);
    RunCommand([&](CDownloadConvertDlg& dialog) {
        Click(dialog, 1);
        ASSERT_TRUE(WaitForRun(dialog));
    });
    EXPECT_EQ(TempDir::read(target), "P7,1234.567,2345.678,12.345\r\n");
}

TEST_F(CmdDownloadConvertTest, AnsweringNoEndsTheCommandButTheWorkFileStaysWritten) {
    SetPane(kCoordinatePane);
    m_desktop->answerMessage(MsgResult::No);
    EXPECT_EQ(RunCommand(), -1);
    EXPECT_EQ(TempDir::read(WorkFilePath()), kCoordinatePane);
}

TEST_F(CmdDownloadConvertTest, PaneWithoutAtmosStopsTheLinkWritesTheWorkFileAndShowsNothing) {
    SetPane("P1,100,200,300,\r\nP2,100,200,300,\r\n");
    m_main->StartCommTimer();
    EXPECT_EQ(RunCommand(), -1);
    EXPECT_FALSE(m_main->IsCommTimerActive());
    EXPECT_TRUE(m_desktop->calls().empty());
    EXPECT_EQ(TempDir::read(WorkFilePath()), "P1,100,200,300,\r\nP2,100,200,300,\r\n");
}

TEST_F(CmdDownloadConvertTest, WorkFileThatCannotBeWrittenEndsTheCommandWithItsReason) {
    // The data folder cannot be created below a plain file.
    ::setenv("XDG_DATA_HOME", (m_dir.write("plain-file", "") + "/data").c_str(), 1);
    SetPane(kCoordinatePane);
    EXPECT_EQ(RunCommand(), -1);  // no question, and no dialog converting an old work file
    ASSERT_EQ(m_desktop->calls().size(), 1u);
    EXPECT_EQ(m_desktop->calls()[0].icon, MsgIcon::Stop);
    EXPECT_NE(m_desktop->messages()[0].find("veltratemp.txt"), std::string::npos);
}

TEST_F(CmdDownloadConvertTest, EmptyPaneOpensTheDialogAndLeavesLinkAndWorkFileAlone) {
    SetPane("");
    m_main->StartCommTimer();
    EXPECT_EQ(RunCommand(), 0);
    EXPECT_TRUE(m_main->IsCommTimerActive());
    EXPECT_FALSE(FileExists(WorkFilePath()));
    m_main->StopCommTimer();
}

}  // namespace
}  // namespace vm::test
