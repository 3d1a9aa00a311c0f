// The serial settings dialog: what it shows, what OK stores and applies, what
// Cancel leaves alone, and the Send time check.
#include "app/com_set_dlg.h"

#include "app/control_id.h"
#include "common/file_io.h"
#include "common/ini_file.h"
#include "tests/support/gui_app.h"
#include "tests/support/scripted_desktop.h"
#include "tests/support/temp_dir.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

#include <fstream>

namespace vm::test {
namespace {

class ComSetDlgTest : public ::testing::Test {
protected:
    void SetUp() override {
        EnsureApplication();
        owner.m_settings = ComSettings{1, 2400, 0, 0, 8, 1};
    }
    void TearDown() override { EXPECT_TRUE(LeftoverTopLevelWidgets().isEmpty()); }

    std::string Ini() const { return dir.file("ConfigFile.ini"); }
    void StoreIni(const std::string& text) const { std::ofstream(Ini()) << text; }
    std::string Stored(const char* key) const {
        return IniGetString(Ini(), "ComConfig", key, "<none>");
    }
    QString Shown(CComSetWindow& w, int id) const { return w.List(id)->currentText(); }

    TempDir dir;
    ScriptedDesktop desk;
    CComSetDlg owner;
};

TEST_F(ComSetDlgTest, withoutIni_showsDefaults) {
    CComSetWindow w(owner, nullptr, Ini());
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Com Setting"));
    EXPECT_EQ(Shown(w, 1010), "1");
    EXPECT_EQ(Shown(w, 1011), "2400");
    EXPECT_EQ(Shown(w, 1012), "NONE");
    EXPECT_EQ(Shown(w, 1013), "8");
    EXPECT_EQ(Shown(w, 1014), "1");
    EXPECT_EQ(Shown(w, 1016), "XON/XOFF");
    EXPECT_EQ(w.SendTimeEdit()->text(), "400");
    EXPECT_EQ(FindControl<QLineEdit>(&w, 1066), w.SendTimeEdit());
    EXPECT_EQ(FindControl<QPushButton>(&w, 1)->text(), "OK");
    EXPECT_EQ(FindControl<QPushButton>(&w, 2)->text(), "Cancel");
    EXPECT_FALSE(FileExists(Ini()));  // showing writes nothing
}

TEST_F(ComSetDlgTest, listsHoldTheirEntriesInStoredOrder) {
    CComSetWindow w(owner, nullptr, Ini());
    const std::pair<int, QStringList> lists[] = {
        {1010, {"1", "2", "3", "4", "5", "6", "7", "8"}},
        {1011, {"300", "1200", "2400", "4800", "9600", "19200", "38400"}},
        {1012, {"NONE", "ODD", "EVEN"}},
        {1013, {"7", "8"}},
        {1014, {"1", "1.5", "2"}},
        {1016, {"XON/XOFF", "NONE"}},
    };
    for (const auto& [id, entries] : lists) {
        QStringList shown;
        for (int i = 0; i < w.List(id)->count(); ++i)
            shown << w.List(id)->itemText(i);
        EXPECT_EQ(shown, entries) << id;
    }
}

TEST_F(ComSetDlgTest, ok_appliesAndStoresEveryChoice_roundTrip) {
    {
        CComSetWindow w(owner, nullptr, Ini());
        w.List(1010)->setCurrentIndex(1);  // port 2
        w.List(1011)->setCurrentIndex(4);  // 9600
        w.List(1012)->setCurrentIndex(2);  // EVEN
        w.List(1013)->setCurrentIndex(0);  // 7 bits
        w.List(1014)->setCurrentIndex(2);  // 2 stop bits
        w.List(1016)->setCurrentIndex(1);  // no protocol
        w.SendTimeEdit()->setText(" 250 ");
        FindControl<QPushButton>(&w, 1)->click();
        EXPECT_EQ(w.result(), QDialog::Accepted);
    }
    const ComSettings& s = owner.m_settings;
    EXPECT_EQ(s.nPort, 2);
    EXPECT_EQ(s.nBaud, 9600);
    EXPECT_EQ(s.byParity, 2);
    EXPECT_EQ(s.byByteSize, 7);
    EXPECT_EQ(s.byStopBits, 2);
    EXPECT_EQ(s.bXonXoff, 0);
    EXPECT_EQ(Stored("Port"), "1");
    EXPECT_EQ(Stored("Baud"), "4");
    EXPECT_EQ(Stored("Parity"), "2");
    EXPECT_EQ(Stored("Character"), "0");
    EXPECT_EQ(Stored("Stopbit"), "2");
    EXPECT_EQ(Stored("Protocol"), "1");
    EXPECT_EQ(Stored("SendTime"), "250");
    EXPECT_EQ(LoadComSettings(Ini()).nBaud, 9600);  // what the next start loads

    CComSetWindow again(owner, nullptr, Ini());
    EXPECT_EQ(Shown(again, 1010), "2");
    EXPECT_EQ(Shown(again, 1011), "9600");
    EXPECT_EQ(Shown(again, 1016), "NONE");
    EXPECT_EQ(again.SendTimeEdit()->text(), "250");
}

TEST_F(ComSetDlgTest, ok_keepsOtherLinesOfTheFile) {
    StoreIni("; surveyor's notes\n[Other]\nKey=1\n[ComConfig]\nDevice3=/dev/ttyUSB0\n");
    CComSetWindow w(owner, nullptr, Ini());
    ASSERT_TRUE(w.OnOK());
    EXPECT_EQ(IniGetString(Ini(), "Other", "Key", ""), "1");
    EXPECT_EQ(Stored("Device3"), "/dev/ttyUSB0");
    EXPECT_EQ(Stored("Baud"), "2");
}

TEST_F(ComSetDlgTest, cancel_storesAndAppliesNothing) {
    StoreIni("[ComConfig]\nBaud=1\n");
    CComSetWindow w(owner, nullptr, Ini());
    w.List(1011)->setCurrentIndex(6);
    w.List(1010)->setCurrentIndex(5);
    FindControl<QPushButton>(&w, 2)->click();
    EXPECT_EQ(w.result(), QDialog::Rejected);
    EXPECT_EQ(TempDir::read(Ini()), "[ComConfig]\nBaud=1\n");
    EXPECT_EQ(owner.m_settings.nBaud, 2400);
    EXPECT_EQ(owner.m_settings.nPort, 1);
}

TEST_F(ComSetDlgTest, sendTime_refusedOutsideRangeOrNotInteger) {
    for (const char* text : {"199", "1001", "", "abc", "300x", "70000", "66000"}) {
        desk.clearCalls();
        CComSetWindow w(owner, nullptr, Ini());
        w.SendTimeEdit()->setText(text);
        EXPECT_FALSE(w.OnOK()) << text;
        EXPECT_EQ(desk.messages().size(), 1u) << text;
        EXPECT_NE(w.result(), QDialog::Accepted);
        EXPECT_FALSE(FileExists(Ini())) << text;
    }
    for (const char* text : {"200", "1000", "+600"}) {
        CComSetWindow w(owner, nullptr, Ini());
        w.SendTimeEdit()->setText(text);
        EXPECT_TRUE(w.OnOK()) << text;
    }
    EXPECT_EQ(Stored("SendTime"), "600");
}

TEST(SendTimeCheck, messagesTellIntegerFromRange) {
    EXPECT_EQ(CheckSendTime("x").message, kSendTimeNotIntegerMessage);
    EXPECT_EQ(CheckSendTime("12 3").message, kSendTimeNotIntegerMessage);
    EXPECT_EQ(CheckSendTime("-400").message, kSendTimeRangeMessage);
    EXPECT_EQ(CheckSendTime("99999999999999999999").message, kSendTimeRangeMessage);
    EXPECT_EQ(CheckSendTime("\t450\n").value, 450);
}

// A stored index outside a list shows no selection; confirming stores -1 for
// it and keeps its run-time value.
TEST_F(ComSetDlgTest, storedIndexOutsideList_selectsNothingStoresMinusOne) {
    StoreIni("[ComConfig]\nBaud=9\nPort=11\n");
    owner.m_settings.nBaud = 4800;
    owner.m_settings.nPort = 3;
    CComSetWindow w(owner, nullptr, Ini());
    EXPECT_EQ(w.List(1011)->currentIndex(), -1);
    EXPECT_EQ(w.List(1010)->currentIndex(), -1);
    ASSERT_TRUE(w.OnOK());
    EXPECT_EQ(Stored("Baud"), "-1");
    EXPECT_EQ(Stored("Port"), "-1");
    EXPECT_EQ(owner.m_settings.nBaud, 4800);
    EXPECT_EQ(owner.m_settings.nPort, 3);
}

TEST_F(ComSetDlgTest, deviceLabel_followsPortChoice) {
    StoreIni("[ComConfig]\nDevice2=/dev/ttyUSB0\n");
    CComSetWindow w(owner, nullptr, Ini());
    QLabel* device = FindControl<QLabel>(&w, CComSetWindow::kDeviceLabelId);
    ASSERT_EQ(device, w.DeviceLabel());
    EXPECT_TRUE(device->text().contains("/dev/ttyS0"));
    w.List(1010)->setCurrentIndex(1);
    EXPECT_TRUE(device->text().contains("/dev/ttyUSB0"));
    w.List(1010)->setCurrentIndex(7);
    EXPECT_TRUE(device->text().contains("/dev/ttyS7"));
}

TEST_F(ComSetDlgTest, unwritableIni_appliesForThisRunAndSaysSo) {
    CComSetWindow w(owner, nullptr, dir.file("no/such/folder/ConfigFile.ini"));
    w.List(1011)->setCurrentIndex(5);
    EXPECT_TRUE(w.OnOK());
    EXPECT_EQ(owner.m_settings.nBaud, 19200);
    ASSERT_EQ(desk.messages().size(), 1u);
    EXPECT_NE(desk.messages()[0].find("无法"), std::string::npos);
}

}  // namespace
}  // namespace vm::test
