// The universal conversion dialog, headless: opening state and stored layouts,
// enabling, the separator pairs, runs and their messages, the start number
// hand-back, browse write-back and the main window's command.
#include "app/universal_convert_dlg.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFocusEvent>
#include <QLineEdit>
#include <QTimer>

#include <cstdlib>
#include <memory>

#include <gtest/gtest.h>

#include "app/control_id.h"
#include "app/main_dlg.h"
#include "common/file_io.h"
#include "common/ini_file.h"
#include "common/user_paths.h"
#include "tests/support/gui_app.h"
#include "tests/support/scripted_desktop.h"
#include "tests/support/temp_dir.h"

namespace vm {
namespace {

using test::TempDir;

constexpr int kSourceLists[] = {1046, 1039, 1040, 1041, 1047, 1050};
constexpr int kTargetLists[] = {1042, 1043, 1044, 1045, 1048, 1052};

class UniversalConvertDlgTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::EnsureApplication();
        ::setenv("XDG_CONFIG_HOME", m_dir.file("config").c_str(), 1);
        m_desktop = std::make_unique<test::ScriptedDesktop>();
    }
    void TearDown() override {
        m_dlg.reset();
        m_desktop.reset();
        ::unsetenv("XDG_CONFIG_HOME");
        EXPECT_TRUE(test::LeftoverTopLevelWidgets().isEmpty());
    }

    CUniversalConvertDlg& Open() {
        m_dlg = std::make_unique<CUniversalConvertDlg>();
        m_dlg->OnInitDialog();
        return *m_dlg;
    }
    // The per-user settings file, in the test's own folder.
    std::string Ini() const { return UserIniPath(); }

    template <class T = QWidget>
    T* Ctl(int id) {
        T* control = FindControl<T>(m_dlg.get(), id);
        EXPECT_NE(control, nullptr) << "control " << id;
        return control;
    }
    void Click(int id) { Ctl<QAbstractButton>(id)->click(); }
    bool Ticked(int id) { return Ctl<QCheckBox>(id)->isChecked(); }
    bool Enabled(int id) { return Ctl(id)->isEnabled(); }
    QString Text(int id) { return Ctl<QLineEdit>(id)->text(); }
    void Type(int id, const std::string& text) {
        Ctl<QLineEdit>(id)->setText(QString::fromStdString(text));
    }
    void Select(int list, int index) { Ctl<QComboBox>(list)->setCurrentIndex(index); }
    void Leave(int box) {
        QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
        QCoreApplication::sendEvent(Ctl(box), &leave);
    }
    // Presses "转换" and waits for the run to finish.
    void Convert() {
        Click(1);
        QElapsedTimer timer;
        timer.start();
        while (m_dlg->IsRunning() && timer.elapsed() < 10000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        ASSERT_FALSE(m_dlg->IsRunning());
    }
    // Source 1-6; target P 1, attribute 2, Y 3, X 4, Z 5, sequence 6; attribute on.
    void ChooseWorkedExampleLayout() {
        for (int i = 0; i < 6; ++i)
            Select(kSourceLists[i], i);
        const int target[] = {0, 1, 3, 2, 4, 5};
        for (int i = 0; i < 6; ++i)
            Select(kTargetLists[i], target[i]);
        Click(1049);
    }

    TempDir m_dir;
    std::unique_ptr<test::ScriptedDesktop> m_desktop;
    std::unique_ptr<CUniversalConvertDlg> m_dlg;
};

TEST_F(UniversalConvertDlgTest, freshOpeningShowsDefaultsWhateverWasUsedBefore) {
    Open();
    EXPECT_EQ(m_dlg->windowTitle(), QStringLiteral("万能数据转换"));
    for (const int id : {1046, 1039, 1040, 1041, 1047, 1050, 1042, 1043, 1044, 1045, 1048, 1052}) {
        auto* list = Ctl<QComboBox>(id);
        ASSERT_EQ(list->count(), 6) << id;
        EXPECT_EQ(list->itemText(0), "1");
        EXPECT_EQ(list->itemText(5), "6");
        EXPECT_EQ(list->currentIndex(), 0) << id;
        EXPECT_FALSE(list->isEditable());
    }
    EXPECT_TRUE(Ticked(1057));
    EXPECT_TRUE(Ticked(1061));
    for (const int id : {1058, 1062, 1059, 1049, 1051})
        EXPECT_FALSE(Ticked(id)) << id;
    EXPECT_FALSE(Enabled(1043));
    EXPECT_FALSE(Enabled(1052));
    EXPECT_FALSE(Enabled(1068));
    const std::pair<int, const char*> boxes[] = {
        {1068, "-1"}, {1065, "0"}, {1066, "0"}, {1067, "0"}, {1069, "1"}, {1070, "1"}, {1071, "1"}};
    for (const auto& [id, shown] : boxes)
        EXPECT_EQ(Text(id), shown) << id;

    // Options used in one opening are gone at the next.
    Click(1058);
    Click(1059);
    Type(1065, "12.5");
    Leave(1065);
    Open();
    EXPECT_TRUE(Ticked(1057));
    EXPECT_FALSE(Ticked(1058));
    EXPECT_FALSE(Ticked(1059));
    EXPECT_EQ(Text(1065), "0");
}

TEST_F(UniversalConvertDlgTest, storedLayoutSelectsListsAndSetsEnabling) {
    IniWriteString(Ini(), "OldConfig", "OCheck", "1");
    IniWriteString(Ini(), "OldConfig", "OX", "3");
    IniWriteString(Ini(), "NewConfig", "NCheck", "1");
    IniWriteString(Ini(), "NewConfig", "NOrder", "5");
    IniWriteString(Ini(), "NewConfig", "NY", "x");
    Open();
    EXPECT_EQ(Ctl<QComboBox>(1040)->currentText(), "4");
    EXPECT_EQ(Ctl<QComboBox>(1052)->currentText(), "6");
    EXPECT_EQ(Ctl<QComboBox>(1045)->currentText(), "1");
    EXPECT_TRUE(Ticked(1049));
    EXPECT_TRUE(Ticked(1051));
    EXPECT_TRUE(Enabled(1043));
    EXPECT_TRUE(Enabled(1052));
    EXPECT_TRUE(Enabled(1068));

    Click(1049);
    Click(1051);
    EXPECT_FALSE(Enabled(1043));
    EXPECT_FALSE(Enabled(1052));
    EXPECT_FALSE(Enabled(1068));
    Click(1051);
    EXPECT_TRUE(Enabled(1052));
    EXPECT_TRUE(Enabled(1068));
}

TEST_F(UniversalConvertDlgTest, separatorBoxesActAsRadioPairs) {
    Open();
    Click(1057);  // already ticked: stays ticked
    EXPECT_TRUE(Ticked(1057));
    EXPECT_FALSE(Ticked(1058));
    Click(1058);
    EXPECT_FALSE(Ticked(1057));
    EXPECT_TRUE(Ticked(1058));
    Click(1058);
    EXPECT_TRUE(Ticked(1058));
    Click(1062);
    EXPECT_FALSE(Ticked(1061));
    EXPECT_EQ(m_dlg->RunFromControls().sourceSeparator, ' ');
    EXPECT_EQ(m_dlg->RunFromControls().targetSeparator, ' ');
    Click(1061);
    EXPECT_EQ(m_dlg->RunFromControls().targetSeparator, ',');
    EXPECT_FALSE(Ticked(1062));
}

TEST_F(UniversalConvertDlgTest, runWithoutSourceStillStoresTheShownLayout) {
    Open();
    ChooseWorkedExampleLayout();
    Select(1052, 4);  // disabled lists are stored all the same
    Convert();
    EXPECT_EQ(m_desktop->messages(), std::vector<std::string>{"选择要转换的文件!!!"});
    EXPECT_EQ(m_desktop->calls()[0].caption, kMessageCaption);
    const LayoutSettings stored = LoadLayoutSettings(Ini());
    EXPECT_EQ(stored, m_dlg->LayoutFromControls());
    EXPECT_TRUE(stored.attributeEnabled);
    EXPECT_EQ(stored.target.x, 3);
    EXPECT_EQ(stored.target.sequenceNumber, 4);

    Type(1055, m_dir.write("in.txt", "1\n"));
    Convert();
    EXPECT_EQ(m_desktop->messages().back(), "选择要保存的文件!!!");
}

TEST_F(UniversalConvertDlgTest, runConvertsTheFileAndSaysSo) {
    Open();
    ChooseWorkedExampleLayout();
    Type(1055, m_dir.write("in.txt", "12,K3,512.345,502.1,45.6\r\n"));
    Type(1056, m_dir.file("out.txt"));
    Type(1065, "500000.123");
    Click(1059);
    Convert();
    ASSERT_EQ(m_desktop->messages(), std::vector<std::string>{"转换成功"});
    EXPECT_EQ(m_desktop->calls()[0].caption, "提示：");
    EXPECT_EQ(TempDir::read(m_dir.file("out.txt")), "1\r\n12,K3,502.100,500512.468,45.600\r\n");
    // The constant is shown as typed, not rounded to six digits.
    EXPECT_EQ(Text(1065), "500000.123");
    EXPECT_EQ(m_dlg->m_fAddX, 500000.123);
}

TEST_F(UniversalConvertDlgTest, unreadableSourceIsReportedWithoutTouchingTheTarget) {
    Open();
    Type(1055, m_dir.file("missing.txt"));
    Type(1056, m_dir.write("out.txt", "keep"));
    Convert();
    ASSERT_EQ(m_desktop->messages().size(), 1u);
    EXPECT_NE(m_desktop->messages()[0].find("无法读取文件"), std::string::npos);
    EXPECT_EQ(m_desktop->calls()[0].icon, MsgIcon::Warning);
    EXPECT_EQ(TempDir::read(m_dir.file("out.txt")), "keep");
}

TEST_F(UniversalConvertDlgTest, advancedStartNumberShowsAfterABrowseAndIsLostByLeavingABox) {
    Open();
    Select(1046, 1);  // point number from field 2, where a record without commas lands
    Select(1052, 1);  // sequence number to field 2
    for (const int unused : {1040, 1041, 1047, 1043, 1044, 1045, 1048})
        Select(unused, 5);
    Click(1051);
    Type(1068, "1");
    Type(1055, m_dir.write("in.txt", "A\nB\nC\n"));
    Type(1056, m_dir.file("out.txt"));
    Convert();
    EXPECT_EQ(TempDir::read(m_dir.file("out.txt")), "A,1\r\nB,2\r\nC,3\r\n");
    EXPECT_EQ(Text(1068), "1");  // the box does not show the advanced counter yet
    EXPECT_EQ(m_dlg->m_nStartNumber, 4);

    m_desktop->answerFile(m_dir.file("in.txt"));
    Click(1053);
    EXPECT_EQ(Text(1068), "4");
    Convert();
    EXPECT_EQ(TempDir::read(m_dir.file("out.txt")), "A,4\r\nB,5\r\nC,6\r\n");

    // Leaving a number box takes the box's value back before the next run.
    Leave(1066);
    EXPECT_EQ(m_dlg->m_nStartNumber, 4);
    Convert();
    EXPECT_EQ(TempDir::read(m_dir.file("out.txt")), "A,4\r\nB,5\r\nC,6\r\n");
}

TEST_F(UniversalConvertDlgTest, browseWritesEveryMemberBackOverTypedText) {
    Open();
    Type(1066, "7.25");
    Type(1056, "typed-but-not-taken.txt");
    m_desktop->answerFile(std::nullopt);
    Click(1053);  // cancelled: nothing changes
    EXPECT_EQ(Text(1066), "7.25");

    const std::string source = m_dir.write("in.txt", "data");
    m_desktop->answerFile(source);
    Click(1053);
    EXPECT_EQ(Text(1055).toStdString(), source);
    EXPECT_EQ(Text(1066), "0");
    EXPECT_EQ(Text(1056), "");
    const test::DesktopCall open = m_desktop->callsOf(test::DesktopCall::OpenFile).at(0);
    EXPECT_EQ(open.request.filter, "Text(*.txt)|*.txt|Data(*.dat)|*.dat|All files(*.*)|*.*|");
    EXPECT_EQ(open.request.defaultExt, "*.txt");

    // The chosen target is created empty at once, replacing what it held.
    const std::string target = m_dir.write("old.txt", "old contents");
    m_desktop->answerFile(target);
    Click(1054);
    EXPECT_EQ(Text(1056).toStdString(), target);
    EXPECT_TRUE(FileExists(target));
    EXPECT_EQ(TempDir::read(target), "");
    EXPECT_EQ(TempDir::read(source), "data");
}

TEST_F(UniversalConvertDlgTest, refusedNumberStopsTheExchangeThereAndTheRunGoesOn) {
    Open();
    Type(1065, "2");
    Type(1066, "abc");
    Type(1069, "5");  // after 1066 in the exchange: not taken
    Convert();
    ASSERT_EQ(m_desktop->messages().size(), 2u);
    EXPECT_EQ(m_desktop->messages()[0], "请输入一个数字。");
    EXPECT_EQ(m_desktop->messages()[1], "选择要转换的文件!!!");
    EXPECT_EQ(m_dlg->m_fAddX, 2);
    EXPECT_EQ(m_dlg->m_fMulX, 1);
    EXPECT_EQ(Text(1066), "0");  // the members are written back
    EXPECT_EQ(Text(1069), "1");

    m_desktop->clearCalls();
    Type(1068, "1.5");
    Leave(1068);
    EXPECT_EQ(m_desktop->messages(), std::vector<std::string>{"请输入一个整数。"});
}

TEST_F(UniversalConvertDlgTest, openButtonsUseTheExchangedPathsOnly) {
    Open();
    Click(1072);
    Click(1073);
    EXPECT_TRUE(m_desktop->callsOf(test::DesktopCall::Viewer).empty());

    Type(1055, "/data/first.txt");
    Leave(1065);
    Type(1055, "/data/second.txt");  // not exchanged yet
    Click(1072);
    const auto viewed = m_desktop->callsOf(test::DesktopCall::Viewer);
    ASSERT_EQ(viewed.size(), 1u);
    EXPECT_EQ(viewed[0].path, "/data/first.txt");
}

TEST_F(UniversalConvertDlgTest, mainWindowCommandRunsTheDialogModally) {
    test::ScopedCurrentDir here(m_dir.path());
    CMainDlg window;
    const std::string source = m_dir.write("in.txt", "1,A,1,2,3\n");
    const std::string target = m_dir.file("out.txt");
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto* dlg = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        auto* convert = dynamic_cast<CUniversalConvertDlg*>(dlg);
        ASSERT_NE(convert, nullptr);
        seen = true;
        FindControl<QLineEdit>(convert, 1055)->setText(QString::fromStdString(source));
        FindControl<QLineEdit>(convert, 1056)->setText(QString::fromStdString(target));
        FindControl<QAbstractButton>(convert, 1)->click();
        QElapsedTimer timer;
        timer.start();
        while (convert->IsRunning() && timer.elapsed() < 10000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        FindControl<QAbstractButton>(convert, 2)->click();
    });
    window.OnCommand(32802);
    EXPECT_TRUE(seen);
    EXPECT_EQ(m_desktop->messages(), std::vector<std::string>{"转换成功"});
    // A fresh layout puts every item in field 1: X, Y and Z overwrite the point
    // number there in turn.
    EXPECT_EQ(TempDir::read(target), "1.000\r\n");
}

}  // namespace
}  // namespace vm
