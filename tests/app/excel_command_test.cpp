// Command 32812 on a real main window: the two file dialogs, messages on
// failure, and the workbook handed to the viewer after a pause that does not
// block the window.
#include <QCoreApplication>
#include <QElapsedTimer>

#include <cerrno>

#include "app/cmd_excel.h"
#include "common/file_io.h"
#include "tests/app/main_window_fixture.h"

namespace vm::test {
namespace {

constexpr int kExcelCommand = 32812;

class ExcelCommandTest : public MainWindowTest {
protected:
    void TearDown() override {
        SetExcelOpenDelayMs(kExcelOpenDelayMs);
        MainWindowTest::TearDown();
    }

    // Lets the window's event loop run until pred holds or ms have passed.
    template <typename Pred>
    bool RunEventsUntil(Pred pred, int ms) {
        QElapsedTimer clock;
        clock.start();
        while (!pred() && clock.elapsed() < ms)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        return pred();
    }

    size_t ViewerCalls() const { return desk.callsOf(DesktopCall::Viewer).size(); }
};

TEST_F(ExcelCommandTest, CancellingEitherDialogTouchesNothing) {
    desk.answerFile(std::nullopt);
    ASSERT_TRUE(Window().OnCommand(kExcelCommand));
    EXPECT_TRUE(desk.callsOf(DesktopCall::SaveFile).empty());

    desk.answerFile(dir.write("src.txt", "1,2,3,4,5\n"));
    const std::string target = dir.write("keep.xls", "old");
    desk.answerFile(std::nullopt);
    Window().OnCommand(kExcelCommand);
    EXPECT_EQ(TempDir::read(target), "old");
    EXPECT_TRUE(desk.messages().empty());
    EXPECT_EQ(desk.unscripted(), 0);
}

TEST_F(ExcelCommandTest, WritesTheWorkbookAndOpensItOnlyAfterThePause) {
    const std::string target = dir.file("points.xls");
    desk.answerFile(dir.write("src.txt", "1,100.5,200.25,30.1,TREE\r\n"));
    desk.answerFile(target);
    QElapsedTimer clock;
    clock.start();
    Window().OnCommand(kExcelCommand);
    EXPECT_LT(clock.elapsed(), kExcelOpenDelayMs) << "the command does not sleep through the pause";
    ASSERT_TRUE(RunEventsUntil([&] { return FileExists(target); }, 10000));

    const auto opens = desk.callsOf(DesktopCall::OpenFile);
    const auto saves = desk.callsOf(DesktopCall::SaveFile);
    ASSERT_EQ(opens.size(), 1u);
    ASSERT_EQ(saves.size(), 1u);
    EXPECT_EQ(opens[0].request.filter, "*.txt|*.txt|*.dat|*.dat|*.*|*.*|");
    EXPECT_EQ(opens[0].request.defaultExt, "txt");
    EXPECT_EQ(saves[0].request.filter, "*.xls|*.xls|");
    EXPECT_EQ(saves[0].request.defaultExt, "xls");
    EXPECT_TRUE(saves[0].request.confirmOverwrite);
    EXPECT_TRUE(FileExists(target));
    EXPECT_TRUE(desk.messages().empty()) << "no message on success";
    EXPECT_EQ(ViewerCalls(), 0u);
    // The window closes during the pause: nothing is opened for it afterwards.
    RunEventsUntil([] { return false; }, 50);
    main.reset();
    RunEventsUntil([] { return false; }, 50);
    EXPECT_EQ(ViewerCalls(), 0u);
}

TEST_F(ExcelCommandTest, TheViewerGetsTheWorkbookWhenThePauseIsOver) {
    SetExcelOpenDelayMs(20);
    const std::string target = dir.file("points.xls");
    desk.answerFile(dir.write("src.txt", "1,2,3,4,5\n"));
    desk.answerFile(target);
    Window().OnCommand(kExcelCommand);
    ASSERT_TRUE(RunEventsUntil([this] { return ViewerCalls() > 0; }, 5000));
    EXPECT_EQ(desk.callsOf(DesktopCall::Viewer)[0].path, target);
}

TEST_F(ExcelCommandTest, FailuresAreShownAndNothingIsOpened) {
    SetExcelOpenDelayMs(0);
    desk.answerFile(dir.file("missing.txt"));
    Window().OnCommand(kExcelCommand);
    ASSERT_EQ(desk.messages().size(), 1u);
    EXPECT_EQ(desk.messages()[0], ReadFailureMessage(dir.file("missing.txt"), ENOENT));
    EXPECT_TRUE(desk.callsOf(DesktopCall::SaveFile).empty());

    const std::string target = dir.file("no/folder/points.xls");
    desk.answerFile(dir.write("src.txt", "1,2,3,4,5\n"));
    desk.answerFile(target);
    Window().OnCommand(kExcelCommand);
    ASSERT_TRUE(RunEventsUntil([this] { return desk.messages().size() == 2; }, 10000));
    EXPECT_EQ(desk.messages()[1], WriteFailureMessage(target, ENOENT));
    RunEventsUntil([] { return false; }, 50);
    EXPECT_EQ(ViewerCalls(), 0u);
}

}  // namespace
}  // namespace vm::test
