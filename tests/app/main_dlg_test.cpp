// The main window's resources and routing: menu 129, toolbar 179 and its
// tooltips, the exit rules, the tool launchers and the About box; and the
// helpers every dialog relies on: file-dialog filters and the program search.
// (The serial settings loaded at start-up from the current folder are what the
// Download and Upload tests run on.)
#include "tests/app/main_window_fixture.h"

#include "dialogs/app_info.h"
#include "app/file_filter.h"
#include "app/main_window/main_commands.h"
#include "app/program_finder.h"
#include "dialogs/string_table.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>

#include <sys/stat.h>

namespace vm::test {
namespace {

// Each popup with its items as "id caption" (0: separator, -1: a submenu).
const std::vector<std::string> kMenu = {
    "文件(&F)|32783 新建|32772 打开|32774 另存为|-1 最近下载|-1 最近打开的文件|0 |32775 退出",
    "串口(&C)|1004 下载|1005 上传|32815 停止|0 |32803 串口设置",
    "转换(&Z)|1026 下载数据转换|0 |32802 万能数据转换|0 |32901 预览",
    "工具(&T)|32789 记事本|32790 计算器|0 |32811 打印坐标文件|32812 保存为EXCEL文件|32813 "
    "保存为DXF文件",
    "帮助(&H)|32782 帮助",
};

TEST_F(MainWindowTest, menuAndWindow_exactCaptionsIdsSeparatorsAndLayout) {
    CMainDlg& w = Window();
    std::vector<std::string> seen;
    for (QAction* popupAction : w.menuBar()->actions()) {
        std::string popup = popupAction->text().toStdString();
        for (QAction* item : popupAction->menu()->actions())
            popup += "|" + std::to_string(item->isSeparator() ? 0 : ControlId(item)) + " " +
                     item->text().toStdString();
        seen.push_back(popup);
    }
    EXPECT_EQ(seen, kMenu);

    EXPECT_EQ(w.windowTitle().toStdString(), kAppTitle);
    ASSERT_EQ(FindControl<QPlainTextEdit>(&w, 1007), w.m_editText);
    ASSERT_EQ(FindControl<QLineEdit>(&w, 1010), w.m_editStatus);
    EXPECT_TRUE(w.m_editStatus->isReadOnly());
    EXPECT_EQ(w.m_editText->lineWrapMode(), QPlainTextEdit::NoWrap);
    EXPECT_GE(w.m_editText->geometry().top(), w.toolBar()->geometry().bottom());
}

// Toolbar 179 in order with its tooltips (32814 has no string of its own: no
// tooltip, not even the caption); a button with a menu twin asks the desktop
// exactly what its twin asks.
TEST_F(MainWindowTest, toolbar_orderTooltipsAndMenuTwins) {
    const struct {
        int id;
        std::string tooltip;
        int twin;  // 0: none
    } expected[] = {{32771, "New/Clear", 32783},
                    {1001, "Open", 32772},
                    {32814, "", 32774},
                    {1003, "Exit", 32775},
                    {1005, "Upload Coordinate to Total station", 0},
                    {1004, "Download Coordinate from Total station", 0},
                    {1006, "停止下载或上传 (Esc)", 0}};
    const QList<QAction*> tools = Window().toolBar()->actions();
    ASSERT_EQ(tools.size(), qsizetype(std::size(expected)));
    for (size_t n = 0; n < std::size(expected); ++n) {
        const auto& e = expected[n];
        QAction* tool = tools[qsizetype(n)];
        auto* button = qobject_cast<QToolButton*>(Window().toolBar()->widgetForAction(tool));
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(ControlId(tool), e.id);
        EXPECT_EQ(button->toolTip().toStdString(), e.tooltip) << e.id;
        if (!e.twin)
            continue;
        std::vector<std::string> asked[2];
        for (int i = 0; i < 2; ++i) {
            QAction* action = i == 0 ? tool : MenuAction(e.twin);
            ASSERT_NE(action, nullptr) << e.twin;
            ShowInPane("keep me");
            desk.clearCalls();
            action->trigger();  // every question and dialog is cancelled / answered No
            for (const DesktopCall& call : desk.calls())
                asked[i].push_back(std::to_string(call.kind) + call.text + call.request.filter);
        }
        EXPECT_FALSE(asked[0].empty()) << e.id;
        EXPECT_EQ(asked[0], asked[1]) << e.id;
    }
    EXPECT_EQ(Window().m_strText, "keep me");
}

// Exit asks and ends on Yes; Escape and the close box end without asking;
// Enter in the pane is a line break, never the end of the program.
TEST_F(MainWindowTest, exitEscapeAndCloseBox_endTheProgramEnterDoesNot) {
    for (int way = 0; way < 3; ++way) {
        main.reset();
        desk.clearCalls();
        CMainDlg& w = Window();
        w.show();
        int finished = 0;
        QObject::connect(&w, &QDialog::finished, [&finished](int) { ++finished; });
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, "\r");
        QApplication::sendEvent(w.m_editText, &enter);
        EXPECT_EQ(finished, 0);
        if (way == 0) {
            desk.answerMessage(MsgResult::No);
            MenuAction(32775)->trigger();
            EXPECT_EQ(finished, 0);
            desk.answerMessage(MsgResult::Yes);
            MenuAction(32775)->trigger();
            ASSERT_EQ(desk.calls().size(), 2u);
            EXPECT_EQ(desk.calls()[0].text, "真的要退出程序吗>>>");
            EXPECT_EQ(desk.calls()[0].caption, "veltramarlin");
            EXPECT_EQ(desk.calls()[0].buttons, MsgButtons::YesNo);
            EXPECT_EQ(desk.calls()[0].icon, MsgIcon::Question);
        } else if (way == 1) {
            QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
            QApplication::sendEvent(w.m_editText, &escape);
            EXPECT_TRUE(desk.calls().empty());
        } else {
            w.close();
            EXPECT_TRUE(desk.calls().empty());
        }
        EXPECT_EQ(finished, 1) << way;
        EXPECT_EQ(w.result(), QDialog::Rejected);
    }
}

TEST_F(MainWindowTest, notepadAndCalculator_launchOrSayWhatToInstall) {
    desk.answerFile(std::nullopt);
    Window().OnCommand(32789);  // cancelled: nothing is launched
    EXPECT_TRUE(desk.callsOf(DesktopCall::Editor).empty());

    const std::string path = dir.write("my survey data.ps", "x");
    desk.answerFile(path);
    Window().OnCommand(32789);
    const DesktopCall dialog = desk.callsOf(DesktopCall::OpenFile).at(1);
    EXPECT_EQ(dialog.parent, nullptr);  // no owner window
    EXPECT_EQ(dialog.request.filter,
              "Text(*.txt)|*.txt|for CT2100(*.ps)|*.ps|Data(*.dat)|*.dat|All files(*.*)|*.*|");
    ASSERT_EQ(desk.callsOf(DesktopCall::Editor).size(), 1u);
    EXPECT_EQ(desk.callsOf(DesktopCall::Editor)[0].path, path);  // blanks and all, one argument
    EXPECT_TRUE(desk.messages().empty());

    desk.setLaunchResult(false);
    desk.answerFile(path);
    Window().OnCommand(32789);
    Window().OnCommand(32790);
    EXPECT_EQ(desk.callsOf(DesktopCall::Calculator).size(), 1u);
    EXPECT_EQ(desk.messages(), (std::vector<std::string>{kNoEditorMessage, kNoCalculatorMessage}));
}

TEST(FileFilter, translatesEntriesAndAddsTheDefaultExtension) {
    EXPECT_EQ(QtFileFilter("*.txt|*.txt|*.dat|*.dat|*.*|*.*|"),
              "*.txt (*.txt);;*.dat (*.dat);;*.* (*)");
    EXPECT_EQ(QtFileFilter("Text(*.txt)|*.txt|Both|*.txt;*.dat|"),
              "Text(*.txt) (*.txt);;Both (*.txt *.dat)");
    EXPECT_EQ(QtFileFilter(""), "");
    EXPECT_EQ(WithDefaultExtension("/a/out", "*.txt"), "/a/out.txt");
    EXPECT_EQ(WithDefaultExtension("/a/out.dat", "txt"), "/a/out.dat");
    EXPECT_EQ(WithDefaultExtension("/a.b/out", "txt"), "/a.b/out.txt");
    EXPECT_EQ(WithDefaultExtension("/a/out", ""), "/a/out");

    TempDir dir;
    const std::string bare = dir.write("README", "x");
    dir.write("coords.txt", "x");
    EXPECT_EQ(ApplyDefaultExtension(bare, "txt", true), bare);  // exists as chosen
    EXPECT_EQ(ApplyDefaultExtension(dir.file("coords"), "txt", true), dir.file("coords.txt"));
    EXPECT_EQ(ApplyDefaultExtension(dir.file("nothing"), "txt", true), dir.file("nothing"));
    EXPECT_EQ(ApplyDefaultExtension(bare, "txt", false), bare + ".txt");
}

TEST(ProgramFinder, firstCandidateFoundOnSearchPath) {
    TempDir dir;
    const std::string bin1 = dir.file("bin1"), bin2 = dir.file("bin2");
    ::mkdir(bin1.c_str(), 0700);
    ::mkdir(bin2.c_str(), 0700);
    dir.write("bin1/kcalc", "#!/bin/sh\n");  // not executable: skipped
    ::chmod(dir.write("bin2/kcalc", "#!/bin/sh\n").c_str(), 0700);
    ::chmod(dir.write("bin2/xcalc", "#!/bin/sh\n").c_str(), 0700);
    const std::string path = bin1 + ":" + bin2;
    EXPECT_EQ(FindFirstProgram({"gnome-calculator", "kcalc", "xcalc"}, path), bin2 + "/kcalc");
    EXPECT_EQ(FindFirstProgram({"gnome-calculator"}, path), "");
}

}  // namespace
}  // namespace vm::test
