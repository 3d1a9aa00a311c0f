// The main window's resources and routing: menu 129, toolbar 179 and its
// tooltips, the exit rules, and the serial settings loaded at start-up.
#include "tests/app/main_window_fixture.h"

#include "app/app_info.h"
#include "app/com_set_dlg.h"
#include "app/main_commands.h"
#include "app/string_table.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QToolButton>

#include <fstream>

namespace vm::test {
namespace {

struct ExpectedItem {
    const char* popup;
    int id;  // 0: separator
    const char* caption;
};

const ExpectedItem kMenu[] = {
    {"文件(&F)", 32783, "新建"},
    {"文件(&F)", 32772, "打开"},
    {"文件(&F)", 32774, "另存为"},
    {"文件(&F)", 0, ""},
    {"文件(&F)", 32775, "退出"},
    {"串口(&C)", 1004, "下载"},
    {"串口(&C)", 1005, "上传"},
    {"串口(&C)", 0, ""},
    {"串口(&C)", 32803, "串口设置"},
    {"转换(&Z)", 1026, "下载数据转换"},
    {"转换(&Z)", 0, ""},
    {"转换(&Z)", 32802, "万能数据转换"},
    {"工具(&T)", 32789, "记事本"},
    {"工具(&T)", 32790, "计算器"},
    {"工具(&T)", 0, ""},
    {"工具(&T)", 32811, "打印坐标文件"},
    {"工具(&T)", 32812, "保存为EXCEL文件"},
    {"工具(&T)", 32813, "保存为DXF文件"},
    {"帮助(&H)", 32782, "帮助"},
};

TEST_F(MainWindowTest, menu_hasExactCaptionsIdsAndSeparators) {
    std::vector<std::string> seen;
    for (QAction* popupAction : Window().menuBar()->actions()) {
        for (QAction* item : popupAction->menu()->actions()) {
            const int id = item->isSeparator() ? 0 : ControlId(item);
            seen.push_back(popupAction->text().toStdString() + "|" + std::to_string(id) + "|" +
                           item->text().toStdString());
        }
    }
    std::vector<std::string> expected;
    for (const ExpectedItem& e : kMenu) {
        expected.push_back(std::string(e.popup) + "|" + std::to_string(e.id) + "|" + e.caption);
    }
    EXPECT_EQ(seen, expected);
}

TEST_F(MainWindowTest, window_titleControlsAndLayoutBelowToolbar) {
    CMainDlg& w = Window();
    EXPECT_EQ(w.windowTitle().toStdString(), kAppTitle);
    ASSERT_EQ(FindControl<QPlainTextEdit>(&w, 1007), w.m_editText);
    ASSERT_EQ(FindControl<QLineEdit>(&w, 1010), w.m_editStatus);
    EXPECT_TRUE(w.m_editStatus->isReadOnly());
    EXPECT_EQ(w.m_editText->lineWrapMode(), QPlainTextEdit::NoWrap);
    const QRect bar = w.toolBar()->geometry();
    EXPECT_GE(w.m_editText->geometry().top(), bar.bottom());
    EXPECT_GT(w.m_editStatus->geometry().top(), w.m_editText->geometry().bottom());
    EXPECT_LE(w.m_editStatus->geometry().bottom(), w.height());
}

TEST_F(MainWindowTest, toolbar_orderAndTooltips) {
    const std::vector<std::pair<int, std::string>> expected = {
        {32771, "New/Clear"},
        {1001, "Open"},
        {32814, ""},  // no string of its own: no tooltip, not even the caption
        {1003, "Exit"},
        {1005, "Upload Coordinate to Total station"},
        {1004, "Download Coordinate from Total station"},
    };
    const QList<QAction*> actions = Window().toolBar()->actions();
    ASSERT_EQ(actions.size(), qsizetype(expected.size()));
    for (size_t i = 0; i < expected.size(); ++i) {
        QAction* action = actions[qsizetype(i)];
        EXPECT_EQ(ControlId(action), expected[i].first);
        EXPECT_EQ(action->toolTip().toStdString(), expected[i].second) << expected[i].first;
        auto* button = qobject_cast<QToolButton*>(Window().toolBar()->widgetForAction(action));
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->toolTip().toStdString(), expected[i].second);
    }
}

TEST(Tooltip, textAfterFirstNewlineOrWholeAndAtMost79Chars) {
    EXPECT_EQ(TooltipOfString("no newline here"), "no newline here");
    EXPECT_EQ(TooltipOfString("\nOpen\nmore"), "Open\nmore");
    EXPECT_EQ(TooltipOfString(std::string(100, 'x')), std::string(79, 'x'));
    EXPECT_EQ(TooltipOfString("\n" + std::string(50, 'x') + std::string(40, 'y')).size(), 79u);
    EXPECT_EQ(TooltipOfString("\n下载数据"), "下载数据");  // characters, not bytes, are counted
    EXPECT_EQ(TooltipFor(0), "");
    EXPECT_EQ(TooltipFor(1026), "gdkjfd");
    EXPECT_EQ(TooltipFor(32814), "");
}

TEST(CommandRouting, toolbarIdsRunTheirMenuTwins) {
    EXPECT_EQ(RoutedCommandId(32771), 32783);
    EXPECT_EQ(RoutedCommandId(1001), 32772);
    EXPECT_EQ(RoutedCommandId(32814), 32774);
    EXPECT_EQ(RoutedCommandId(1003), 32775);
    EXPECT_EQ(RoutedCommandId(1004), 1004);
    EXPECT_EQ(RoutedCommandId(1005), 1005);
    EXPECT_EQ(RoutedCommandId(0), 0);
    EXPECT_EQ(RoutedCommandId(4242), 0);
}

// Triggering a toolbar button asks the desktop exactly what its menu twin asks.
TEST_F(MainWindowTest, toolbarButtons_behaveAsTheirMenuTwins) {
    for (auto [toolId, menuId] :
         {std::pair{32771, 32783}, {1001, 32772}, {32814, 32774}, {1003, 32775}}) {
        std::vector<std::string> asked[2];
        int i = 0;
        for (QAction* action : {ToolAction(toolId), MenuAction(menuId)}) {
            ASSERT_NE(action, nullptr) << toolId;
            ShowInPane("keep me");
            desk.clearCalls();
            action->trigger();  // every question and dialog is cancelled / answered No
            for (const DesktopCall& call : desk.calls()) {
                asked[i].push_back(std::to_string(call.kind) + call.text + call.request.filter);
            }
            ++i;
        }
        EXPECT_FALSE(asked[0].empty()) << toolId;
        EXPECT_EQ(asked[0], asked[1]) << toolId;
    }
    EXPECT_EQ(Window().m_strText, "keep me");
}

TEST_F(MainWindowTest, exit_asksAndEndsOnlyOnYes) {
    CMainDlg& w = Window();
    int finished = 0;
    QObject::connect(&w, &QDialog::finished, [&finished](int) { ++finished; });
    desk.answerMessage(MsgResult::No);
    MenuAction(32775)->trigger();
    ASSERT_EQ(desk.calls().size(), 1u);
    EXPECT_EQ(desk.calls()[0].text, "真的要退出程序吗>>>");
    EXPECT_EQ(desk.calls()[0].caption, "veltramarlin");
    EXPECT_EQ(desk.calls()[0].buttons, MsgButtons::YesNo);
    EXPECT_EQ(desk.calls()[0].icon, MsgIcon::Question);
    EXPECT_EQ(finished, 0);

    desk.answerMessage(MsgResult::Yes);
    MenuAction(32775)->trigger();
    EXPECT_EQ(finished, 1);
    EXPECT_EQ(w.result(), QDialog::Rejected);
}

TEST_F(MainWindowTest, escapeAndCloseBox_endWithoutQuestion_enterDoesNot) {
    for (int way = 0; way < 2; ++way) {
        main.reset();
        CMainDlg& w = Window();
        w.show();
        int finished = 0;
        QObject::connect(&w, &QDialog::finished, [&finished](int) { ++finished; });

        // Enter in the pane is a line break, never the end of the program.
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, "\r");
        QApplication::sendEvent(w.m_editText, &enter);
        EXPECT_EQ(finished, 0);

        if (way == 0) {
            QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
            QApplication::sendEvent(w.m_editText, &escape);
        } else {
            w.close();
        }
        EXPECT_EQ(finished, 1) << way;
        EXPECT_EQ(w.result(), QDialog::Rejected);
        EXPECT_TRUE(desk.calls().empty());
    }
}

TEST_F(MainWindowTest, startUp_withoutIniUsesDefaults) {
    g_comSetDlg.m_settings = ComSettings{};
    Window();
    const ComSettings& s = g_comSetDlg.m_settings;
    EXPECT_EQ(s.nPort, 1);
    EXPECT_EQ(s.nBaud, 2400);
    EXPECT_EQ(s.byByteSize, 8);
    EXPECT_EQ(s.byParity, 0);
    EXPECT_EQ(s.byStopBits, 0);
    EXPECT_EQ(s.bXonXoff, 1);
}

TEST_F(MainWindowTest, startUp_loadsStoredIndexesFromCurrentFolder) {
    std::ofstream(dir.file("ConfigFile.ini"))
        << "[ComConfig]\r\nPort=1\r\nBaud=9600\r\nCharacter=5\r\nParity=2\r\nProtocol=1\r\n";
    Window();
    const ComSettings& s = g_comSetDlg.m_settings;
    EXPECT_EQ(s.nPort, 2);
    EXPECT_EQ(s.nBaud, 9600);  // a real value passes through
    EXPECT_EQ(s.byByteSize, 5);
    EXPECT_EQ(s.byParity, 2);
    EXPECT_EQ(s.bXonXoff, 0);
}

TEST_F(MainWindowTest, commTimer_runsAt300msAndStopCommStopsIt) {
    CMainDlg& w = Window();
    w.StartCommTimer();
    EXPECT_TRUE(w.IsCommTimerActive());
    w.StopComm();
    EXPECT_FALSE(w.IsCommTimerActive());
}

TEST_F(MainWindowTest, updateData_keepsMembersAndControlsInStep) {
    CMainDlg& w = Window();
    ShowInPane("A\r\nB\r\n");
    w.m_strStatus = "收到数据行数: 3";
    w.UpdateData(false);
    EXPECT_EQ(w.m_editStatus->text(), QStringLiteral("收到数据行数: 3"));
    EXPECT_EQ(w.PaneLineCount(), 3);

    w.m_strText.clear();  // members change nothing on screen until shown
    EXPECT_EQ(w.PaneLineCount(), 3);
    w.UpdateData(true);
    EXPECT_EQ(w.m_strText, "A\r\nB\r\n");

    w.m_editText->moveCursor(QTextCursor::End);
    w.m_editText->insertPlainText(QStringLiteral("中"));
    w.UpdateData(true);
    EXPECT_EQ(w.m_strText, "A\r\nB\r\n\xD6\xD0");  // typed text in the pane's GBK
}

}  // namespace
}  // namespace vm::test
