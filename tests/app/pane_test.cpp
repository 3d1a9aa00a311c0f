// New, Open, Save As and the work file on a real main window, and the pane's
// byte-exact decoding and encoding.
#include "tests/app/main_window_fixture.h"

#include "app/main_window/pane_codec.h"
#include "common/file_io.h"
#include "common/pane_text.h"
#include "common/user_paths.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextDocument>

#include <random>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vm::test {
namespace {

const std::string kGbk = "\xB5\xE3\xBA\xC5";  // 点号

TEST_F(MainWindowTest, new_asksOnlyAboutTextAndStopsTransfer) {
    CMainDlg& w = Window();
    w.StartCommTimer();
    w.OnCommand(32783);  // empty pane: no question
    EXPECT_TRUE(desk.calls().empty());
    EXPECT_FALSE(w.IsCommTimerActive());
    EXPECT_EQ(StatusLine(), "创建了新文件...");

    // Text kept in a file: the usual question.
    desk.answerFile(dir.write("kept.txt", "PT1,1,2,3"));
    w.OnCommand(32772);
    desk.clearCalls();
    desk.answerMessage(MsgResult::No);
    w.OnCommand(32783);
    ASSERT_EQ(desk.messages(), std::vector<std::string>{"你想放弃当前的所有内容吗?"});
    EXPECT_EQ(desk.calls()[0].icon, MsgIcon::Question);
    EXPECT_EQ(w.m_editText->toPlainText(), QStringLiteral("PT1,1,2,3"));
    EXPECT_EQ(StatusLine(), "");

    desk.answerMessage(MsgResult::Yes);
    w.OnCommand(32783);
    EXPECT_EQ(w.m_editText->toPlainText(), QString());
    EXPECT_EQ(w.m_strText, "");
    EXPECT_EQ(StatusLine(), "创建了新文件...");
}

// Bytes the user did not edit come out exactly as they came in, also when the
// user edited another part of the pane.
TEST_F(MainWindowTest, openEditSave_keepsEveryByteAndStopsTransfer) {
    CMainDlg& w = Window();
    const std::string original =
        "PT1," + kGbk + ",100.000\r\n" + std::string("\x80\xFF junk\0tail\r\n", 14);
    w.m_strStatus = "收到数据行数: 1";
    w.UpdateData(false);
    w.StartCommTimer();
    desk.answerFile(dir.write("in.dat", original));
    w.OnCommand(1001);
    const FileDialogRequest request = desk.callsOf(DesktopCall::OpenFile).at(0).request;
    EXPECT_EQ(request.filter, "*.txt|*.txt|*.dat|*.dat|*.*|*.*|");
    EXPECT_EQ(request.defaultExt, "txt");
    EXPECT_FALSE(w.IsCommTimerActive());
    EXPECT_EQ(w.m_strText, original);  // also what follows the NUL byte
    EXPECT_TRUE(w.m_editText->toPlainText().startsWith(QStringLiteral("PT1,点号,100.000\n")));
    EXPECT_EQ(StatusLine(), "收到数据行数: 1");

    desk.answerFile(dir.file("same.txt"));
    w.OnCommand(32774);
    EXPECT_EQ(TempDir::read(dir.file("same.txt")), original);
    EXPECT_EQ(StatusLine(), "保存成功");

    w.m_editText->moveCursor(QTextCursor::End);
    w.m_editText->insertPlainText(QStringLiteral("PT2,树"));
    desk.answerFile(dir.file("edited.txt"));
    w.OnCommand(32774);
    EXPECT_EQ(TempDir::read(dir.file("edited.txt")), original + "PT2,\xCA\xF7");
}

TEST_F(MainWindowTest, open_cancelKeepsEmptyFileEmptiesUnreadableSaysWhy) {
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
    desk.answerFile(std::nullopt);
    w.OnCommand(32772);
    EXPECT_EQ(w.m_strText, "received so far");
    for (const std::string& path : {dir.file("missing.txt"), dir.path(), tooBig}) {
        desk.clearCalls();
        desk.answerFile(path);
        w.OnCommand(32772);
        ASSERT_EQ(desk.messages().size(), 1u) << path;
        EXPECT_NE(desk.messages()[0].find(path), std::string::npos);
        EXPECT_EQ(desk.callsOf(DesktopCall::Message)[0].icon, MsgIcon::Stop);
        EXPECT_EQ(w.m_editText->toPlainText(), QStringLiteral("received so far"));
        EXPECT_TRUE(w.IsCommTimerActive());
    }
    desk.answerFile(dir.write("empty.txt", ""));
    desk.answerMessage(MsgResult::No);  // the text shown is kept nowhere: discard it
    w.OnCommand(32772);
    EXPECT_EQ(w.m_strText, "");
    EXPECT_EQ(w.m_editText->toPlainText(), QString());
}

TEST_F(MainWindowTest, saveAs_lineBreaksExtensionCancelAndUnwritableTarget) {
    CMainDlg& w = Window();
    // The line-break rule itself is checked on the pane text; here it reaches
    // the file, and an empty pane still writes its (empty) file.
    for (const std::string pane : {"X\rY\nZ", ""}) {
        ShowInPane(pane);
        const std::string path = dir.file(pane.empty() ? "empty" : "breaks");
        desk.answerFile(path);  // gets ".txt"
        w.OnCommand(32814);
        ASSERT_TRUE(FileExists(path + ".txt"));
        EXPECT_EQ(TempDir::read(path + ".txt"), pane.empty() ? "" : "XY\r\nZ");
    }
    EXPECT_TRUE(desk.callsOf(DesktopCall::SaveFile).at(0).request.confirmOverwrite);

    desk.answerFile(std::nullopt);
    w.OnCommand(32774);
    EXPECT_EQ(StatusLine(), "");
    EXPECT_TRUE(desk.messages().empty());

    ShowInPane("text");
    desk.answerFile(dir.file("no/such/folder/out.txt"));
    w.OnCommand(32774);
    ASSERT_EQ(desk.messages().size(), 1u);
    EXPECT_NE(desk.messages()[0].find("无法写入文件"), std::string::npos);
    EXPECT_NE(StatusLine(), "保存成功");
    EXPECT_EQ(w.m_strText, "text");
}

// The work file lives in the user's own data folder, readable by the owner only.
TEST_F(MainWindowTest, workFile_holdsPaneWithEditsOwnerOnly) {
    CMainDlg& w = Window();
    ShowInPane("A\nB");
    w.m_editText->moveCursor(QTextCursor::End);
    w.m_editText->insertPlainText(QStringLiteral("C"));
    w.StartCommTimer();
    ASSERT_TRUE(w.SavePaneToWorkFile());
    EXPECT_FALSE(w.IsCommTimerActive());
    const std::string path = WorkFilePath();
    EXPECT_EQ(TempDir::read(path), "A\r\nBC");
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
}

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
    EXPECT_EQ(w.PaneLineCount(), CountPaneLines(big));
    desk.answerFile(dir.file("early.txt"));  // saving while it fills saves everything
    w.OnCommand(32774);
    EXPECT_EQ(TempDir::read(dir.file("early.txt")), big);

    while (w.IsPaneLoading())
        QCoreApplication::processEvents();
    EXPECT_FALSE(w.m_editText->isReadOnly());
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

// A download grows the pane tick by tick with the new bytes alone: after every
// tick the pane shows what decoding all bytes would show, also when a tick
// cuts a character or a CR LF in two, and its line count keeps up.
TEST_F(MainWindowTest, download_growsThePaneByTheNewBytes) {
    CMainDlg& w = Window();
    const std::string utf8 = "\xE7\x82\xB9\xE5\x8F\xB7";  // 点号
    const std::string odd("\r\x80\0\xEF\xBB\xBF", 7);     // lone CR, bad byte, NUL, a BOM
    const std::string downloads[] = {"PT,", kGbk + ",", utf8 + " ", "PT,1.5" + odd};
    std::mt19937 random(15);
    for (const std::string& unit : downloads) {
        std::string all;
        for (int i = 0; all.size() < 6000; ++i)
            all += unit + std::to_string(i) + (i % 3 ? "\r\n" : ",");
        // The first ticks may settle the encoding; later ones only append.
        size_t shown = 1 + random() % 5;
        ShowInPane(all.substr(0, shown));
        ShowInPane(all.substr(0, shown += 20));
        w.m_editText->document()->firstBlock().setUserState(7);  // gone when rebuilt
        while (shown < all.size()) {
            shown = std::min(all.size(), shown + 1 + random() % 300);
            const std::string bytes = all.substr(0, shown);
            ShowInPane(bytes);
            ASSERT_EQ(w.m_editText->document()->toRawText().replace(QChar(0x2029), u'\n'),
                      DecodePaneBytes(bytes, DetectGrowingPaneEncoding(bytes)))
                << unit << " " << shown;
            ASSERT_EQ(w.PaneLineCount(), CountPaneLines(bytes));
        }
        EXPECT_EQ(w.m_editText->document()->firstBlock().userState(), 7) << unit;
        w.UpdateData(true);
        EXPECT_EQ(w.m_strText, all);
    }
}

// The pane shows GBK and UTF-8 text and gives back every byte it was shown
// (NUL, lone CR and invalid bytes too), also after the user edited some other
// part of the text.

// What the pane gives back for bytes it showed, going through the real widget.
std::string ThroughWidget(const std::string& bytes) {
    test::EnsureApplication();
    QPlainTextEdit edit;
    const PaneEncoding encoding = DetectPaneEncoding(bytes);
    edit.setPlainText(DecodePaneBytes(bytes, encoding));
    return EncodePaneText(edit.document()->toRawText(), encoding);
}

// The bytes as an edited pane returns them: every line break as CR LF.
std::string WithCrLfBreaks(const std::string& bytes) {
    std::string out;
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
            continue;
        if (bytes[i] == '\n')
            out += '\r';
        out += bytes[i];
    }
    return out;
}

TEST(PaneCodec, everyGbkCodeUtf8OdditiesAndRandomBytes_roundTripThroughTheWidget) {
    std::string bytes;
    for (int lead = 0x81; lead <= 0xFE; ++lead) {
        for (int trail = 0x40; trail <= 0xFE; ++trail) {
            if (trail == 0x7F)
                continue;
            bytes += char(lead);
            bytes += char(trail);
        }
    }
    EXPECT_EQ(ThroughWidget(bytes), bytes);
    // Four-byte GB18030 characters: U+0080 and U+FFFF.
    const std::string gb4 =
        "\x81\x30\x81\x30"
        "\x84\x31\xA4\x39";
    EXPECT_EQ(ThroughWidget(gb4), gb4);
    // UTF-8 with a byte-order mark, no-break space, a private-use character
    // of the escape range and the paragraph separator.
    const std::string utf8 =
        "\xEF\xBB\xBF"
        "a\xC2\xA0"
        "b\xEF\x9C\x80\xE2\x80\xA9"
        "c 中";
    EXPECT_EQ(DetectPaneEncoding(utf8), PaneEncoding::Utf8);
    EXPECT_EQ(ThroughWidget(utf8), utf8);
    // The same private-use character and paragraph separator in GB18030.
    const std::string gb =
        "a\x83\x39\xCB\x39"
        "b\x81\x36\xA6\x36"
        "c";
    EXPECT_EQ(ThroughWidget(gb), gb);

    std::mt19937 random(20261206);  // and random bytes, with their line breaks as CR LF
    for (int round = 0; round < 200; ++round) {
        std::string bytes(size_t(random() % 300), '\0');
        for (char& c : bytes)
            c = char(random() % 256);
        ASSERT_EQ(ThroughWidget(bytes), WithCrLfBreaks(bytes)) << "round " << round;
    }
}

}  // namespace
}  // namespace vm::test
