// Command 1026 that opens the download conversion dialog (数据转换) from the
// main window: the pane's kind confirmed, the work file converted, panes that
// end the command; and a hover hint on the dialog as Qt shows it.
// The questions for each kind of pane and the dialog itself are tested
// without a toolkit in tests/dialogs.
#include "tests/app/main_window_fixture.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTimer>

#include <functional>

#include <unistd.h>

#include "app/dialog_renderer/qt_dialog_host.h"
#include "app/hints/hint_wnd.h"
#include "dialogs/download_convert_dialog.h"
#include "dialogs/download_convert_paths.h"
#include "app/main_window/main_dlg_commands.h"
#include "common/file_io.h"
#include "common/user_paths.h"

namespace vm::test {
namespace {

const char kMeasurementPane[] =
    "UNITS m,d\r\nATMOS 20,1013\r\nSTN A,1.500,\r\nSS P1,1.600,TREE\r\nSD 1234500,900000,100000\r\n"
    "SS P4,1.500,POLE\r\nXYZ 1000000,2000000,50000\r\n";
const char kCoordinatePane[] = "ATMOS 20,1013\r\nP7,1234567,2345678,12345,TREE\r\n";

// The six kept paths start and end each test empty.
class DownloadConvertTest : public MainWindowTest {
protected:
    static void ClearPaths() {
        for (std::string* path : {&g_strMeasSource, &g_strCoordExtractTarget, &g_strAngleDistTarget,
                                  &g_strAngleTarget, &g_strCoordSource, &g_strCoordTarget})
            path->clear();
    }
    void SetUp() override {
        MainWindowTest::SetUp();
        ClearPaths();
    }
    void TearDown() override {
        ClearPaths();
        MainWindowTest::TearDown();
    }

    // Runs command 1026; when its dialog opens, act on it, then close it.
    // Returns the mode the dialog opened in, or -1 when no dialog opened.
    int RunCommand(const std::function<void(QtDialogHost&)>& act = {}) {
        int mode = -1;
        QTimer timer;  // ends with this call, so it never fires into a later test
        timer.setInterval(0);
        QObject::connect(&timer, &QTimer::timeout, [&] {
            auto* dialog = Window().findChild<QtDialogHost*>();
            if (!dialog || !dialog->isVisible())
                return;
            timer.stop();
            mode = static_cast<CDownloadConvertDlg&>(dialog->description()).m_nMode;
            if (act)
                act(*dialog);
            dialog->reject();
        });
        timer.start();
        OnDownloadConvert(Window());
        return mode;
    }
};

// Lets the event loop run until the dialog's conversion has ended.
bool WaitForRun(const QtDialogHost& dialog) {
    return RunEventsUntil([&] { return !dialog.IsWorking(); }, 20000);
}

TEST_F(DownloadConvertTest, HoverOverADisabledControlShowsItsHintBesideItUntilTheMouseLeaves) {
    CDownloadConvertDlg description;
    description.m_nMode = 1;  // 1071 is disabled in this mode
    auto dialog = std::make_unique<QtDialogHost>(description);
    dialog->Open();
    dialog->show();
    QWidget* box = Ctl(*dialog, 1071);
    QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), box->mapToGlobal(QPointF(5, 5)),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(box, &move);
    ASSERT_TRUE(dialog->hints()->box()->isVisible());
    EXPECT_EQ(dialog->hints()->box()->item().m_lines,
              (std::vector<std::string>{"要转换的测量文件名"}));
    EXPECT_FALSE(dialog->hints()->box()->geometry().intersects(box->geometry()));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(dialog.get(), &leave);
    EXPECT_FALSE(dialog->hints()->box()->isVisible());
}

TEST_F(DownloadConvertTest, MeasurementPaneConfirmedConvertsTheWorkFile) {
    ShowInPane(kMeasurementPane);
    desk.answerMessage(MsgResult::Yes);
    const std::string target = dir.file("points.txt");
    const int mode = RunCommand([&](QtDialogHost& dialog) {
        desk.answerFile(target);
        Click(dialog, 1073);
        Click(dialog, 1);
        ASSERT_TRUE(WaitForRun(dialog));
    });
    EXPECT_EQ(mode, 1);
    ASSERT_EQ(desk.callsOf(DesktopCall::Message).size(), 1u);
    const DesktopCall question = desk.callsOf(DesktopCall::Message)[0];
    EXPECT_EQ(question.text, "你打开的是测量文件???");
    EXPECT_EQ(question.buttons, MsgButtons::YesNo);
    EXPECT_EQ(question.icon, MsgIcon::Question);

    EXPECT_EQ(TempDir::read(WorkFilePath()), kMeasurementPane);
    EXPECT_EQ(TempDir::read(target), "P4,1000.000,2000.000,50.000\r\n");
}

TEST_F(DownloadConvertTest, PanesThatEndTheCommandOrOpenTheDialogEmpty) {
    ShowInPane("P1,100,200,300,\r\n");  // no ATMOS: the link stops and nothing is shown
    Window().StartCommTimer();
    EXPECT_EQ(RunCommand(), -1);
    EXPECT_FALSE(Window().IsCommTimerActive());
    EXPECT_TRUE(desk.calls().empty());
    EXPECT_EQ(TempDir::read(WorkFilePath()), "P1,100,200,300,\r\n");

    ShowInPane(kCoordinatePane);  // No to the question ends the command
    EXPECT_EQ(RunCommand(), -1);
    EXPECT_EQ(desk.calls().size(), 1u);
    EXPECT_EQ(TempDir::read(WorkFilePath()), kCoordinatePane);

    ::unlink(WorkFilePath().c_str());
    ShowInPane("");  // an empty pane leaves the link and the work file alone
    Window().StartCommTimer();
    EXPECT_EQ(RunCommand(), 0);
    EXPECT_TRUE(Window().IsCommTimerActive());
    EXPECT_FALSE(FileExists(WorkFilePath()));
    Window().StopCommTimer();
}

TEST_F(DownloadConvertTest, WorkFileThatCannotBeWrittenEndsTheCommandWithItsReason) {
    // The data folder cannot be created below a plain file.
    ::setenv("XDG_DATA_HOME", (dir.write("plain-file", "") + "/data").c_str(), 1);
    ShowInPane(kCoordinatePane);
    EXPECT_EQ(RunCommand(), -1);  // no question, and no dialog converting an old work file
    ASSERT_EQ(desk.calls().size(), 1u);
    EXPECT_EQ(desk.calls()[0].icon, MsgIcon::Stop);
    EXPECT_NE(desk.messages()[0].find("veltratemp.txt"), std::string::npos);
}

}  // namespace
}  // namespace vm::test
