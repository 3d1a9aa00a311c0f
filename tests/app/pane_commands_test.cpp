// New, Open, Save As and the work file on a real main window.
#include "tests/app/main_window_fixture.h"

#include "common/file_io.h"
#include "common/pane_text.h"
#include "common/user_paths.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QPlainTextEdit>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vm::test {
namespace {

const std::string kGbk = "\xB5\xE3\xBA\xC5";  // 点号

std::string Status(CMainDlg& w) {
    return w.m_editStatus->text().toStdString();
}

TEST_F(MainWindowTest, newOnEmptyPane_asksNothingAndStopsTransfer) {
    CMainDlg& w = Window();
    w.StartCommTimer();
    w.OnCommand(32783);
    EXPECT_TRUE(desk.calls().empty());
    EXPECT_FALSE(w.IsCommTimerActive());
    EXPECT_EQ(Status(w), "创建了新文件...");
}

TEST_F(MainWindowTest, newWithText_noKeepsTextAndClearsStatus_yesEmptiesPane) {
    CMainDlg& w = Window();
    ShowInPane("PT1,1,2,3");
    w.m_strStatus = "old status";
    w.UpdateData(false);
    desk.answerMessage(MsgResult::No);
    w.OnCommand(32783);
    ASSERT_EQ(desk.messages(), std::vector<std::string>{"你想放弃当前的所有内容吗?"});
    EXPECT_EQ(desk.calls()[0].icon, MsgIcon::Question);
    EXPECT_EQ(w.m_editText->toPlainText(), QStringLiteral("PT1,1,2,3"));
    EXPECT_EQ(Status(w), "");

    desk.answerMessage(MsgResult::Yes);
    w.OnCommand(32783);
    EXPECT_EQ(w.m_editText->toPlainText(), QString());
    EXPECT_EQ(w.m_strText, "");
    EXPECT_EQ(Status(w), "创建了新文件...");
}

TEST_F(MainWindowTest, newAfterTyping_asksBecauseEditsAreTakenFirst) {
    CMainDlg& w = Window();
    w.m_editText->insertPlainText(QStringLiteral("typed"));
    w.OnCommand(32783);  // unanswered: No
    EXPECT_EQ(desk.messages().size(), 1u);
}

TEST_F(MainWindowTest, open_loadsExactBytesStopsTransferAndKeepsStatus) {
    CMainDlg& w = Window();
    const std::string bytes = "PT1," + kGbk + ",1.5\r\nPT2\n" + std::string("X\0Y", 3);
    desk.answerFile(dir.write("in.dat", bytes));
    ShowInPane("received so far");
    w.m_strStatus = "收到数据行数: 1";
    w.UpdateData(false);
    w.StartCommTimer();

    w.OnCommand(1001);
    ASSERT_EQ(desk.callsOf(DesktopCall::OpenFile).size(), 1u);
    const FileDialogRequest request = desk.callsOf(DesktopCall::OpenFile)[0].request;
    EXPECT_EQ(request.filter, "*.txt|*.txt|*.dat|*.dat|*.*|*.*|");
    EXPECT_EQ(request.defaultExt, "txt");
    EXPECT_EQ(request.initialName, "");

    EXPECT_FALSE(w.IsCommTimerActive());
    EXPECT_EQ(w.m_strText, bytes);  // also what follows the NUL byte
    EXPECT_TRUE(w.m_editText->toPlainText().startsWith(QStringLiteral("PT1,点号,1.5\nPT2\nX")));
    EXPECT_TRUE(w.m_editText->toPlainText().endsWith(QStringLiteral("Y")));
    EXPECT_EQ(Status(w), "收到数据行数: 1");
    w.UpdateData(true);
    EXPECT_EQ(w.m_strText, bytes);
}

TEST_F(MainWindowTest, open_cancelledOrEmptyFile) {
    CMainDlg& w = Window();
    ShowInPane("stays");
    desk.answerFile(std::nullopt);
    w.OnCommand(32772);
    EXPECT_EQ(w.m_strText, "stays");

    desk.answerFile(dir.write("empty.txt", ""));
    w.OnCommand(32772);
    EXPECT_EQ(w.m_strText, "");
    EXPECT_EQ(w.m_editText->toPlainText(), QString());
}

TEST_F(MainWindowTest, open_unreadableFile_saysWhyAndChangesNothing) {
    CMainDlg& w = Window();
    ShowInPane("received so far");
    w.StartCommTimer();
    const std::string tooBig = dir.file("huge.txt");
    {
        const int fd = ::open(tooBig.c_str(), O_CREAT | O_WRONLY, 0600);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(::ftruncate(fd, off_t(300) << 20), 0);  // sparse: takes no disk space
        ::close(fd);
    }
    for (const std::string& path : {dir.file("missing.txt"), dir.path(), tooBig}) {
        desk.clearCalls();
        desk.answerFile(path);
        w.OnCommand(32772);
        ASSERT_EQ(desk.messages().size(), 1u) << path;
        EXPECT_NE(desk.messages()[0].find(path), std::string::npos);
        EXPECT_EQ(desk.callsOf(DesktopCall::Message)[0].icon, MsgIcon::Stop);
        EXPECT_EQ(w.m_strText, "received so far");
        EXPECT_EQ(w.m_editText->toPlainText(), QStringLiteral("received so far"));
        EXPECT_TRUE(w.IsCommTimerActive());
    }
    w.StopComm();
}

TEST_F(MainWindowTest, saveAs_writesByPaneRuleAndReports) {
    CMainDlg& w = Window();
    ShowInPane("X\rY\nZ");
    w.StartCommTimer();
    desk.answerFile(dir.file("out"));  // no extension: gets ".txt"
    w.OnCommand(32774);
    ASSERT_EQ(desk.callsOf(DesktopCall::SaveFile).size(), 1u);
    const FileDialogRequest request = desk.callsOf(DesktopCall::SaveFile)[0].request;
    EXPECT_EQ(request.filter, "*.txt|*.txt|*.dat|*.dat|*.*|*.*|");
    EXPECT_TRUE(request.confirmOverwrite);
    EXPECT_EQ(TempDir::read(dir.file("out.txt")), "XY\r\nZ");
    EXPECT_EQ(Status(w), "保存成功");
    EXPECT_FALSE(w.IsCommTimerActive());
}

TEST_F(MainWindowTest, saveAs_crLfCasesAndEmptyPane) {
    CMainDlg& w = Window();
    const std::pair<std::string, std::string> cases[] = {
        {"A\r\nB", "A\r\nB"}, {"A\nB", "A\r\nB"}, {"A\rB", "AB"}, {"", ""}, {"end\r\n", "end\r\n"}};
    int n = 0;
    for (const auto& [pane, file] : cases) {
        ShowInPane(pane);
        const std::string path = dir.file("case" + std::to_string(n++) + ".txt");
        desk.answerFile(path);
        w.OnCommand(32814);
        ASSERT_TRUE(FileExists(path)) << n;
        EXPECT_EQ(TempDir::read(path), file) << n;
    }
}

TEST_F(MainWindowTest, saveAs_cancelClearsStatusAndWritesNothing) {
    CMainDlg& w = Window();
    ShowInPane("text");
    desk.answerFile(std::nullopt);
    w.OnCommand(32774);
    EXPECT_EQ(Status(w), "");
    EXPECT_TRUE(desk.messages().empty());
}

TEST_F(MainWindowTest, saveAs_unwritableTarget_saysWhyNotSuccess) {
    CMainDlg& w = Window();
    ShowInPane("text");
    const std::string path = dir.file("no/such/folder/out.txt");
    desk.answerFile(path);
    w.OnCommand(32774);
    ASSERT_EQ(desk.messages().size(), 1u);
    EXPECT_NE(desk.messages()[0].find("无法写入文件"), std::string::npos);
    EXPECT_NE(Status(w), "保存成功");
    EXPECT_EQ(w.m_strText, "text");
}

// Bytes the user did not edit come out exactly as they came in, also when the
// user edited another part of the pane.
TEST_F(MainWindowTest, gbkAndOddBytes_surviveOpenEditSave) {
    CMainDlg& w = Window();
    const std::string original =
        "PT1," + kGbk + ",100.000\r\n" + std::string("\x80\xFF junk\0tail\r\n", 14);
    desk.answerFile(dir.write("in.txt", original));
    w.OnCommand(32772);

    desk.answerFile(dir.file("same.txt"));
    w.OnCommand(32774);
    EXPECT_EQ(TempDir::read(dir.file("same.txt")), original);

    w.m_editText->moveCursor(QTextCursor::End);
    w.m_editText->insertPlainText(QStringLiteral("PT2,树"));
    desk.answerFile(dir.file("edited.txt"));
    w.OnCommand(32774);
    EXPECT_EQ(TempDir::read(dir.file("edited.txt")), original + "PT2,\xCA\xF7");
}

TEST_F(MainWindowTest, workFile_holdsPaneWithEditsOwnerOnly) {
    CMainDlg& w = Window();
    ShowInPane("A\nB");
    w.m_editText->moveCursor(QTextCursor::End);
    w.m_editText->insertPlainText(QStringLiteral("C"));
    w.StartCommTimer();
    ASSERT_TRUE(w.SavePaneToWorkFile());
    EXPECT_FALSE(w.IsCommTimerActive());
    const std::string path = WorkFilePath();
    EXPECT_EQ(path, dir.file("data") + "/VeltraMarlin/veltratemp.txt");
    EXPECT_EQ(TempDir::read(path), "A\r\nBC");
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);

    ShowInPane("");
    ASSERT_TRUE(w.SavePaneToWorkFile());
    EXPECT_EQ(TempDir::read(path), "");
}

TEST_F(MainWindowTest, workFile_unwritable_saysWhyAndReturnsFalse) {
    CMainDlg& w = Window();
    dir.write("blocker", "a file where the data folder should be");
    setenv("XDG_DATA_HOME", dir.file("blocker").c_str(), 1);
    ShowInPane("text");
    EXPECT_FALSE(w.SavePaneToWorkFile());
    ASSERT_EQ(desk.messages().size(), 1u);
    EXPECT_NE(desk.messages()[0].find("veltratemp.txt"), std::string::npos);
}

}  // namespace
}  // namespace vm::test

namespace vm::test {
namespace {

// A long text fills the pane in steps: the window answers meanwhile, the
// text cannot be edited half-shown, and the whole text is what counts.
TEST_F(MainWindowTest, longText_fillsInStepsWithWholeTextAvailable) {
    CMainDlg& w = Window();
    std::string big;
    for (int i = 0; big.size() < 3u << 20; ++i)
        big += "PT" + std::to_string(i) + "," + kGbk + "\r\n";
    ShowInPane(big);
    ASSERT_TRUE(w.IsPaneLoading());
    EXPECT_TRUE(w.m_editText->isReadOnly());
    w.UpdateData(true);
    EXPECT_EQ(w.m_strText, big);
    EXPECT_EQ(w.PaneLineCount(), CountPaneLines(big));

    desk.answerFile(dir.file("early.txt"));  // saving while it fills saves everything
    w.OnCommand(32774);
    EXPECT_EQ(TempDir::read(dir.file("early.txt")), big);

    ShowInPane(big);  // the same bytes again: it just carries on
    while (w.IsPaneLoading())
        QCoreApplication::processEvents();
    EXPECT_FALSE(w.m_editText->isReadOnly());
    EXPECT_FALSE(w.m_editText->document()->isModified());
    w.m_editText->moveCursor(QTextCursor::End);
    w.m_editText->insertPlainText(QStringLiteral("end"));
    w.UpdateData(true);
    EXPECT_EQ(w.m_strText, big + "end");

    ShowInPane(big);
    desk.answerMessage(MsgResult::Yes);
    w.OnCommand(32783);  // New while filling: the pane ends up empty
    EXPECT_FALSE(w.IsPaneLoading());
    EXPECT_TRUE(w.m_editText->toPlainText().isEmpty());
}

}  // namespace
}  // namespace vm::test
