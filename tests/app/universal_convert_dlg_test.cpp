// The universal conversion dialog, headless: opening state and stored layouts,
// the separator pairs, runs and their messages, the start number hand-back,
// browse write-back and the main window's command.
#include "tests/app/main_window_fixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTimer>

#include "app/universal/universal_convert_dlg.h"
#include "common/ini_file.h"
#include "common/user_paths.h"

namespace vm::test {
namespace {

class UniversalConvertDlgTest : public MainWindowTest {
protected:
    void TearDown() override {
        m_dlg.reset();
        MainWindowTest::TearDown();
    }

    void Open() {
        m_dlg = std::make_unique<CUniversalConvertDlg>();
        m_dlg->OnInitDialog();
    }
    void Click(int id) { test::Click(*m_dlg, id); }
    void Leave(int id) { test::Leave(*m_dlg, id); }
    bool Ticked(int id) { return Ctl<QCheckBox>(*m_dlg, id)->isChecked(); }
    bool Enabled(int id) { return Ctl(*m_dlg, id)->isEnabled(); }
    QString Text(int id) { return Ctl<QLineEdit>(*m_dlg, id)->text(); }
    QString Shown(int list) { return Ctl<QComboBox>(*m_dlg, list)->currentText(); }
    void Type(int id, const std::string& text) {
        Ctl<QLineEdit>(*m_dlg, id)->setText(QString::fromStdString(text));
    }
    void Select(int list, int index) { Ctl<QComboBox>(*m_dlg, list)->setCurrentIndex(index); }
    // Presses "转换" and waits for the run to finish.
    void Convert() {
        Click(1);
        ASSERT_TRUE(RunEventsUntil([this] { return !m_dlg->IsRunning(); }, 10000));
    }

    std::unique_ptr<CUniversalConvertDlg> m_dlg;
};

TEST_F(UniversalConvertDlgTest, openingShowsDefaultsOrTheStoredLayoutNeverLastRunsOptions) {
    Open();
    for (const int id : {1046, 1039, 1040, 1041, 1047, 1050, 1042, 1043, 1044, 1045, 1048, 1052})
        EXPECT_EQ(Shown(id), "1") << id;
    EXPECT_TRUE(Ticked(1057) && Ticked(1061));
    for (const int id : {1058, 1062, 1059, 1049, 1051})
        EXPECT_FALSE(Ticked(id)) << id;
    for (const int id : {1043, 1052, 1068})
        EXPECT_FALSE(Enabled(id)) << id;
    const std::pair<int, const char*> boxes[] = {
        {1068, "-1"}, {1065, "0"}, {1066, "0"}, {1067, "0"}, {1069, "1"}, {1070, "1"}, {1071, "1"}};
    for (const auto& [id, shown] : boxes)
        EXPECT_EQ(Text(id), shown) << id;

    // Separator boxes act as radio pairs: a ticked box stays ticked when clicked.
    Click(1057);
    EXPECT_TRUE(Ticked(1057));
    Click(1058);
    Click(1062);
    EXPECT_FALSE(Ticked(1057) || Ticked(1061));
    EXPECT_EQ(m_dlg->RunFromControls().sourceSeparator, ' ');
    EXPECT_EQ(m_dlg->RunFromControls().targetSeparator, ' ');
    Click(1059);
    Type(1065, "12.5");
    Leave(1065);

    const std::string ini = UserIniPath();
    IniWriteString(ini, "OldConfig", "OCheck", "1");
    IniWriteString(ini, "OldConfig", "OX", "3");
    IniWriteString(ini, "NewConfig", "NCheck", "1");
    IniWriteString(ini, "NewConfig", "NOrder", "5");
    IniWriteString(ini, "NewConfig", "NY", "x");
    Open();
    EXPECT_TRUE(Ticked(1057) && !Ticked(1058) && !Ticked(1059));
    EXPECT_EQ(Text(1065), "0");
    EXPECT_EQ(Shown(1040), "4");
    EXPECT_EQ(Shown(1052), "6");
    EXPECT_EQ(Shown(1045), "1");
    EXPECT_TRUE(Enabled(1043) && Enabled(1052) && Enabled(1068));
    Click(1049);
    Click(1051);
    EXPECT_FALSE(Enabled(1043) || Enabled(1052) || Enabled(1068));
}

TEST_F(UniversalConvertDlgTest, runConvertsStoresTheLayoutAndReportsEachFailure) {
    Open();
    const int source[] = {1046, 1039, 1040, 1041, 1047, 1050};
    const int target[] = {1042, 1043, 1044, 1045, 1048, 1052};
    const int field[] = {0, 1, 3, 2, 4, 5};  // P 1, attribute 2, Y 3, X 4, Z 5, sequence 6
    for (int i = 0; i < 6; ++i) {
        Select(source[i], i);
        Select(target[i], field[i]);
    }
    Click(1049);
    Convert();
    EXPECT_EQ(desk.messages(), std::vector<std::string>{"选择要转换的文件!!!"});
    EXPECT_EQ(desk.calls()[0].caption, kMessageCaption);
    EXPECT_EQ(LoadLayoutSettings(UserIniPath()), m_dlg->LayoutFromControls());

    desk.clearCalls();
    Type(1055, dir.file("missing.txt"));
    Type(1056, dir.write("out.txt", "keep"));
    Convert();
    ASSERT_EQ(desk.messages().size(), 1u);
    EXPECT_NE(desk.messages()[0].find("无法读取文件"), std::string::npos);
    EXPECT_EQ(desk.calls()[0].icon, MsgIcon::Warning);
    EXPECT_EQ(TempDir::read(dir.file("out.txt")), "keep");

    desk.clearCalls();
    Type(1055, dir.write("in.txt", "12,K3,512.345,502.1,45.6\r\n"));
    Type(1065, "500000.123");
    Click(1059);
    Convert();
    ASSERT_EQ(desk.messages(), std::vector<std::string>{"转换成功"});
    EXPECT_EQ(desk.calls()[0].caption, "提示：");
    // The grid constant keeps its millimetres and is shown as typed.
    EXPECT_EQ(TempDir::read(dir.file("out.txt")), "1\r\n12,K3,502.100,500512.468,45.600\r\n");
    EXPECT_EQ(Text(1065), "500000.123");
}

TEST_F(UniversalConvertDlgTest, advancedStartNumberShowsAfterABrowseAndIsLostByLeavingABox) {
    Open();
    Select(1046, 1);  // point number from field 2, where a record without commas lands
    Select(1052, 1);  // sequence number to field 2
    for (const int unused : {1040, 1041, 1047, 1043, 1044, 1045, 1048})
        Select(unused, 5);
    Click(1051);
    Type(1068, "1");
    Type(1055, dir.write("in.txt", "A\nB\nC\n"));
    Type(1056, dir.file("out.txt"));
    Convert();
    EXPECT_EQ(TempDir::read(dir.file("out.txt")), "A,1\r\nB,2\r\nC,3\r\n");
    EXPECT_EQ(Text(1068), "1");  // the box does not show the advanced counter yet
    EXPECT_EQ(m_dlg->m_nStartNumber, 4);

    Type(1066, "7.25");
    desk.answerFile(dir.file("in.txt"));
    Click(1053);  // a browse writes every member back over typed text
    EXPECT_EQ(Text(1068), "4");
    EXPECT_EQ(Text(1066), "0");
    EXPECT_EQ(desk.callsOf(DesktopCall::OpenFile).at(0).request.filter,
              "Text(*.txt)|*.txt|Data(*.dat)|*.dat|All files(*.*)|*.*|");
    Convert();
    EXPECT_EQ(TempDir::read(dir.file("out.txt")), "A,4\r\nB,5\r\nC,6\r\n");

    Leave(1066);  // leaving a number box takes the box's value back
    Convert();
    EXPECT_EQ(TempDir::read(dir.file("out.txt")), "A,4\r\nB,5\r\nC,6\r\n");

    // Choosing a target creates it empty at once, replacing what it held.
    desk.answerFile(dir.file("out.txt"));
    Click(1054);
    EXPECT_EQ(Text(1056).toStdString(), dir.file("out.txt"));
    EXPECT_EQ(TempDir::read(dir.file("out.txt")), "");
    EXPECT_TRUE(desk.callsOf(DesktopCall::SaveFile).at(0).request.confirmOverwrite);
}

TEST_F(UniversalConvertDlgTest, refusedNumberStopsTheExchangeThereAndTheRunGoesOn) {
    Open();
    Type(1065, "2");
    Type(1066, "abc");
    Type(1069, "5");  // after 1066 in the exchange: not taken
    Convert();
    EXPECT_EQ(desk.messages(),
              (std::vector<std::string>{"请输入一个数字。", "选择要转换的文件!!!"}));
    EXPECT_EQ(m_dlg->m_fAddX, 2);
    EXPECT_EQ(m_dlg->m_fMulX, 1);
    EXPECT_EQ(Text(1069), "1");  // the members are written back

    desk.clearCalls();
    Type(1068, "1.5");
    Leave(1068);
    EXPECT_EQ(desk.messages(), std::vector<std::string>{"请输入一个整数。"});
}

TEST_F(UniversalConvertDlgTest, mainWindowCommandRunsTheDialogModally) {
    const std::string source = dir.write("in.txt", "1,A,1,2,3\n");
    const std::string target = dir.file("out.txt");
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto* convert = dynamic_cast<CUniversalConvertDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(convert, nullptr);
        seen = true;
        Ctl<QLineEdit>(*convert, 1055)->setText(QString::fromStdString(source));
        Ctl<QLineEdit>(*convert, 1056)->setText(QString::fromStdString(target));
        test::Click(*convert, 1);
        RunEventsUntil([convert] { return !convert->IsRunning(); }, 10000);
        test::Click(*convert, 2);
    });
    Window().OnCommand(32802);
    EXPECT_TRUE(seen);
    EXPECT_EQ(desk.messages(), std::vector<std::string>{"转换成功"});
    // A fresh layout puts every item in field 1: X, Y and Z overwrite the point
    // number there in turn.
    EXPECT_EQ(TempDir::read(target), "1.000\r\n");
}

}  // namespace
}  // namespace vm::test
