// The download conversion dialog on its own: modes and enabling, the six paths,
// browse and view buttons, the run's messages, hover hints.

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>

#include <set>

#include "common/user_paths.h"
#include "tests/app/download_convert_test_support.h"

namespace vm::test {
namespace {

std::set<int> DisabledIds(const QWidget& dialog) {
    std::set<int> disabled;
    for (int id : {1071, 1072, 1080, 1067, 1077, 1073, 1081, 1068, 1074, 1082,
                   1069, 1075, 1083, 1078, 1076, 1084, 1079, 1085, 1,    2})
        if (!Ctl(dialog, id)->isEnabled())
            disabled.insert(id);
    return disabled;
}

std::unique_ptr<CDownloadConvertDlg> Opened(int mode) {
    auto dialog = std::make_unique<CDownloadConvertDlg>();
    dialog->m_nMode = static_cast<std::int16_t>(mode);
    dialog->OnInitDialog();
    return dialog;
}

std::string Status(const QWidget& dialog) {
    return Ctl<QPlainTextEdit>(dialog, 1087)->toPlainText().toStdString();
}

void MoveMouseOver(QWidget* widget, QPoint local) {
    QMouseEvent move(QEvent::MouseMove, local, widget->mapToGlobal(local), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}

using DownloadConvertDlgTest = DownloadConvertTest;

TEST_F(DownloadConvertDlgTest, EachModeEnablesItsControlsAndSetsItsSource) {
    const std::set<int> untickedOutputs = {1082, 1074, 1083, 1075};
    auto dialog = Opened(0);
    EXPECT_EQ(dialog->windowTitle(), QString("数据转换"));
    EXPECT_EQ(DisabledIds(*dialog), untickedOutputs);
    EXPECT_TRUE(Ctl<QCheckBox>(*dialog, 1067)->isChecked());
    auto* layouts = Ctl<QComboBox>(*dialog, 1077);
    ASSERT_EQ(layouts->count(), 11);
    EXPECT_EQ(layouts->itemText(10), "TOPCON(PC,PA,X,Y,Z)");  // by index, never sorted
    EXPECT_EQ(layouts->currentIndex(), 0);
    EXPECT_TRUE(g_strMeasSource.empty() && g_strCoordSource.empty());

    dialog = Opened(1);  // measurement file downloaded
    std::set<int> expected = {1071, 1072, 1078, 1076, 1079, 1084, 1085};
    expected.insert(untickedOutputs.begin(), untickedOutputs.end());
    EXPECT_EQ(DisabledIds(*dialog), expected);
    EXPECT_EQ(g_strMeasSource, WorkFilePath());
    EXPECT_TRUE(Ctl<QLineEdit>(*dialog, 1071)->text().isEmpty());

    dialog = Opened(2);  // coordinate file: the layout list and 1079 stay usable
    expected = {1072, 1073, 1074, 1075, 1067, 1068, 1069, 1071, 1080, 1081, 1078, 1076, 1082, 1083};
    EXPECT_EQ(DisabledIds(*dialog), expected);
    EXPECT_EQ(g_strCoordSource, WorkFilePath());
    EXPECT_TRUE(g_strMeasSource.empty());
}

TEST_F(DownloadConvertDlgTest, OutputBoxesEnableTheirButtons) {
    auto dialog = Opened(0);
    Click(*dialog, 1067);  // untick
    EXPECT_EQ(DisabledIds(*dialog), (std::set<int>{1081, 1073, 1077, 1082, 1074, 1083, 1075}));
    Click(*dialog, 1067);
    Click(*dialog, 1068);
    Click(*dialog, 1069);
    EXPECT_TRUE(DisabledIds(*dialog).empty());
}

TEST_F(DownloadConvertDlgTest, ReopeningEmptiesTheSourcesAndTheViewButtonsOpenTheKeptTargets) {
    g_strMeasSource = "/old/meas.txt";
    g_strCoordSource = "/old/coord.txt";
    g_strCoordExtractTarget = "/t/extract.txt";
    g_strAngleDistTarget = "/t/angledist.txt";
    g_strAngleTarget = "/t/angle.txt";
    g_strCoordTarget = "/t/coord.txt";
    auto dialog = Opened(0);
    EXPECT_TRUE(g_strMeasSource.empty() && g_strCoordSource.empty());

    for (int id : {1080, 1081, 1082, 1083, 1084, 1085}) {
        Ctl(*dialog, id)->setEnabled(true);
        Click(*dialog, id);  // empty sources open nothing
    }
    std::vector<std::string> viewed;
    for (const DesktopCall& call : m_desktop->callsOf(DesktopCall::Viewer))
        viewed.push_back(call.path);
    EXPECT_EQ(viewed, (std::vector<std::string>{"/t/extract.txt", "/t/angledist.txt",
                                                "/t/angle.txt", "/t/coord.txt"}));
    EXPECT_TRUE(m_desktop->messages().empty());

    m_desktop->setLaunchResult(false);  // no viewer at all: the user is told
    Click(*dialog, 1085);
    ASSERT_EQ(m_desktop->messages().size(), 1u);
    EXPECT_NE(m_desktop->messages()[0].find("/t/coord.txt"), std::string::npos);
}

TEST_F(DownloadConvertDlgTest, BrowseRecordsTheChosenPathCancelKeepsItTypingAndLeavingSetsIt) {
    auto dialog = Opened(0);
    m_desktop->answerFile(std::string("/data/meas.txt"));
    m_desktop->answerFile(std::nullopt);
    Click(*dialog, 1072);
    Click(*dialog, 1072);
    EXPECT_EQ(g_strMeasSource, "/data/meas.txt");
    auto* measBox = Ctl<QLineEdit>(*dialog, 1071);
    EXPECT_EQ(measBox->text(), "/data/meas.txt");
    const DesktopCall open = m_desktop->callsOf(DesktopCall::OpenFile).at(0);
    EXPECT_EQ(open.request.filter, "Text(*.txt)|*.txt|Data(*.dat)|*.dat|All files(*.*)|*.*|");
    EXPECT_EQ(open.request.defaultExt, "*.txt");

    measBox->setText("/typed/meas.txt");
    EXPECT_EQ(g_strMeasSource, "/data/meas.txt");  // not before the box is left
    QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(measBox, &leave);
    EXPECT_EQ(g_strMeasSource, "/typed/meas.txt");
    measBox->clear();
    QApplication::sendEvent(measBox, &leave);
    EXPECT_TRUE(g_strMeasSource.empty());
}

TEST_F(DownloadConvertDlgTest, BothSourcesOrNoSourceAreRefusedWithTheirMessages) {
    auto dialog = Opened(0);
    g_strMeasSource = m_dir.write("m.txt", "");
    g_strCoordSource = m_dir.write("c.txt", "");
    Click(*dialog, 1);
    ASSERT_TRUE(WaitForRun(*dialog));
    EXPECT_EQ(Status(*dialog), "两种格式的文件不可以同时转换");
    EXPECT_EQ(m_desktop->messages(), (std::vector<std::string>{"两种格式的文件不可以同时转换"}));

    m_desktop->clearCalls();
    g_strMeasSource.clear();
    g_strCoordSource.clear();
    Click(*dialog, 1);
    ASSERT_TRUE(WaitForRun(*dialog));
    EXPECT_EQ(Status(*dialog), "先选择一种要转换的文件");
    EXPECT_EQ(m_desktop->messages(), (std::vector<std::string>{"没有文件可以转换"}));
}

TEST_F(DownloadConvertDlgTest, RunGoesOnOffTheWindowThreadAndTheDialogStaysOpen) {
    std::string source;
    for (int i = 1; i <= 20000; ++i)
        source += "P" + std::to_string(i) + ",1234567,2345678,12345,TREE\r\n";
    g_strCoordTarget = m_dir.file("out.txt");
    auto dialog = Opened(0);
    dialog->show();
    m_desktop->answerFile(m_dir.write("coord.txt", source));
    Click(*dialog, 1076);

    Click(*dialog, 1);
    EXPECT_TRUE(dialog->IsConverting());
    EXPECT_FALSE(Ctl(*dialog, 1)->isEnabled());  // no second run on top of this one
    EXPECT_EQ(Status(*dialog), "开始转换........");
    dialog->reject();  // closing waits for the run's result
    EXPECT_TRUE(dialog->isVisible());

    ASSERT_TRUE(WaitForRun(*dialog));
    EXPECT_TRUE(Ctl(*dialog, 1)->isEnabled());
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(Status(*dialog), "开始转换........\n原文件:" + g_strCoordSource +
                                   "\n转换到:" + g_strCoordTarget + "转换保存成功!");
    EXPECT_EQ(TempDir::read(g_strCoordTarget).substr(0, 30), "P1,1234.567,2345.678,12.345\r\nP");
}

TEST_F(DownloadConvertDlgTest, EnterInAPathBoxTakesTheTypedPath) {
    auto dialog = Opened(0);
    dialog->show();
    QApplication::setActiveWindow(dialog.get());
    auto* coordBox = Ctl<QLineEdit>(*dialog, 1078);
    coordBox->setFocus();
    coordBox->setText(QString::fromStdString(m_dir.write("c.txt", "A,1000,2000,3000,\n")));
    g_strCoordTarget = m_dir.file("typed-out.txt");
    if (dialog->focusWidget() != coordBox)
        GTEST_SKIP() << "no keyboard focus on this platform";
    dialog->OnOK();
    ASSERT_TRUE(WaitForRun(*dialog));
    EXPECT_EQ(coordBox->text().toStdString(), g_strCoordSource);
    EXPECT_EQ(TempDir::read(g_strCoordTarget), "A,1.000,2.000,3.000\r\n");
}

TEST_F(DownloadConvertDlgTest, HoverOverAControlShowsItsHintAndTheBareDialogHidesIt) {
    auto dialog = Opened(1);  // 1071 is disabled in this mode and still has its hint
    dialog->show();
    const CHintBox* box = dialog->hints().box();
    MoveMouseOver(Ctl(*dialog, 1071), {5, 5});
    ASSERT_TRUE(box->isVisible());
    EXPECT_EQ(box->item().m_lines, (std::vector<std::string>{"要转换的测量文件名"}));

    MoveMouseOver(Ctl(*dialog, 1077), {5, 5});
    ASSERT_EQ(box->item().m_lines.size(), 8u);
    EXPECT_EQ(box->item().m_lines[4], "X     N坐标");

    MoveMouseOver(dialog.get(), {dialog->width() - 2, 2});  // bare dialog
    EXPECT_FALSE(box->isVisible());
}

}  // namespace
}  // namespace vm::test
