// Nothing in the pane is lost without a question: every command that replaces
// or discards it, for typed text (Yes saves first, No discards, Cancel keeps)
// and for text kept in a file or in the download journal (no extra question).
#include "tests/app/main_window_fixture.h"

#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>

#include <functional>

#include "app/main_window/pane_guard.h"
#include "app/main_window/recent_downloads_menu.h"
#include "serial/download_journal.h"

namespace vm::test {
namespace {

enum class Pane { Typed, OpenedFile, Journaled };

struct Command {
    std::string name;
    // Runs the command (its own file answers queued by the caller); true when it went on.
    std::function<bool()> run;
};

class PaneGuardTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        dir.write("ConfigFile.ini", "[ComConfig]\r\nDevice1=" + dir.file("no-such-port") + "\r\n");
        CJournalRecorder journal;
        ASSERT_TRUE(journal.Begin("/dev/ttyS0", "2400,8,N,1"));
        journal.Append("PT9,1,2,3\r\n");
        journal.End(true, true);
        journalId = journal.Id();
        opened = dir.write("opened.txt", "opened\r\n");
    }

    void Prepare(Pane pane) {
        CMainDlg& w = Window();
        switch (pane) {
            case Pane::Typed:
                w.m_editText->insertPlainText(QStringLiteral("PT1,1,2,3 typed"));
                break;
            case Pane::OpenedFile:
                desk.answerFile(dir.write("kept.txt", "kept\r\n"));
                w.OnCommand(32772);
                break;
            case Pane::Journaled:
                ASSERT_TRUE(RestoreDownloadToPane(w, journalId));
                break;
        }
        desk.clearCalls();
    }

    std::vector<Command> Commands() {
        const auto command = [this](int id) { return Window().OnCommand(id); };
        return {
            {"New",
             [=] {
                 command(32783);
                 return Window().m_strText.empty();
             }},
            {"Open",
             [=] {
                 command(32772);
                 return Window().m_strText == "opened\r\n";
             }},
            {"Download",
             [=] {
                 command(1004);
                 return StatusLine().rfind("ComPort 1打开失败", 0) == 0;
             }},
            {"Upload",
             [=] {
                 command(1005);
                 return StatusLine() == "文件未打开，串口被关闭";
             }},
            {"Exit",
             [=] {
                 command(32775);
                 return !Window().isVisible();
             }},
            {"Escape",
             [this] {
                 Window().reject();
                 return !Window().isVisible();
             }},
            {"Restore", [this] { return RestoreDownloadToPane(Window(), journalId); }},
        };
    }

    // A fresh, shown window for each case.
    CMainDlg& Fresh() {
        main.reset();
        Window().show();
        return Window();
    }

    std::string journalId;
    std::string opened;
};

TEST_F(PaneGuardTest, typedTextIsSavedDiscardedOrKeptAsTheUserAnswersForEveryCommand) {
    const std::pair<MsgResult, bool> answers[] = {
        {MsgResult::Cancel, false}, {MsgResult::No, true}, {MsgResult::Yes, true}};
    int n = 0;
    for (const Command& command : Commands()) {
        for (const auto& [answer, goesOn] : answers) {
            SCOPED_TRACE(command.name + " answer " + std::to_string(int(answer)));
            Fresh();
            Prepare(Pane::Typed);
            const std::string saved = dir.file("saved" + std::to_string(n++) + ".txt");
            if (command.name == "Open")
                desk.answerFile(opened);  // the file is chosen before the question
            desk.answerMessage(answer);
            if (answer == MsgResult::Yes)
                desk.answerFile(saved);
            if (command.name == "Upload" && goesOn)
                desk.answerFile(std::nullopt);
            EXPECT_EQ(command.run(), goesOn);
            const std::vector<DesktopCall> asked = desk.callsOf(DesktopCall::Message);
            ASSERT_FALSE(asked.empty());
            EXPECT_EQ(asked[0].text, kUnsavedPaneQuestion);
            EXPECT_EQ(asked[0].buttons, MsgButtons::YesNoCancel);
            if (!goesOn) {
                EXPECT_EQ(Window().m_strText, "PT1,1,2,3 typed");
            }
            EXPECT_EQ(TempDir::read(saved), answer == MsgResult::Yes ? "PT1,1,2,3 typed" : "");
            EXPECT_EQ(desk.pendingAnswers(), 0);
        }
    }
}

// Kept text goes without the guard's question: New and Exit keep their own
// question, the others ask nothing; journaled text leaves a note where it is.
TEST_F(PaneGuardTest, textKeptInAFileOrTheJournalIsReplacedWithoutTheGuardsQuestion) {
    for (Pane pane : {Pane::OpenedFile, Pane::Journaled}) {
        for (const Command& command : Commands()) {
            const std::string& name = command.name;
            SCOPED_TRACE(name + (pane == Pane::Journaled ? " journaled" : " opened"));
            Fresh();
            Prepare(pane);
            if (name == "Open")
                desk.answerFile(opened);
            if (name == "Upload")
                desk.answerFile(std::nullopt);
            const bool ownQuestion = name == "New" || name == "Exit";
            if (ownQuestion)
                desk.answerMessage(MsgResult::Yes);
            EXPECT_TRUE(command.run());
            std::vector<std::string> expected;
            if (name == "New")
                expected = {"你想放弃当前的所有内容吗?"};
            if (name == "Exit")
                expected = {"真的要退出程序吗>>>"};
            if (name == "Download") {  // the port is missing: its failure, then device and reason
                ASSERT_EQ(desk.messages().size(), 1u);
                EXPECT_EQ(desk.messages()[0].rfind("Com1打开失败!\n", 0), 0u);
            } else {
                EXPECT_EQ(desk.messages(), expected);
            }
            if (pane == Pane::Journaled && (name == "Open" || name == "New")) {
                EXPECT_NE(StatusLine().find("最近下载"), std::string::npos) << StatusLine();
            }
        }
    }
}

}  // namespace
}  // namespace vm::test
