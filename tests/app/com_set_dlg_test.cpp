// The serial settings dialog: what it shows, what OK stores and applies, what
// Cancel leaves alone, and the Send time check.
#include "tests/app/main_window_fixture.h"

#include "app/serial/com_set_dlg.h"
#include "app/serial/end_silence_setting.h"
#include "common/file_io.h"
#include "common/ini_file.h"
#include "tests/support/fake_device_tree.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <array>
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

TEST_F(ComSetDlgTest, withoutIni_showsDefaultsAndWritesNothing) {
    CComSetWindow w(owner, nullptr, Ini());
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Com Setting"));
    // Each list in stored-index order, with the default shown.
    const std::tuple<int, QStringList, QString> lists[] = {
        {1010, {"1", "2", "3", "4", "5", "6", "7", "8"}, "1"},
        {1011,
         {"300", "1200", "2400", "4800", "9600", "19200", "38400", "57600", "115200"},
         "2400"},
        {1012, {"NONE", "ODD", "EVEN"}, "NONE"},
        {1013, {"7", "8"}, "8"},
        {1014, {"1", "1.5", "2"}, "1"},
        {1016, {"XON/XOFF", "NONE", "RTS/CTS"}, "XON/XOFF"},
    };
    w.RefreshPorts(dir.file("no-devices"));  // the numbered ports only
    for (const auto& [id, entries, shown] : lists) {
        QStringList items;
        for (int i = 0; i < w.List(id)->count(); ++i)
            items << w.List(id)->itemText(i);
        EXPECT_EQ(items, entries) << id;
        EXPECT_EQ(Shown(w, id), shown) << id;
    }
    EXPECT_EQ(FindControl<QLineEdit>(&w, 1066), w.SendTimeEdit());
    EXPECT_EQ(w.SendTimeEdit()->text(), "400");
    EXPECT_FALSE(FileExists(Ini()));
}

TEST_F(ComSetDlgTest, ok_appliesAndStoresEveryChoiceKeepingOtherLines_roundTrip) {
    StoreIni("; surveyor's notes\n[Other]\nKey=1\n[ComConfig]\nDevice3=/dev/ttyUSB0\n");
    {
        CComSetWindow w(owner, nullptr, Ini());
        w.List(1010)->setCurrentIndex(2);  // the device beside the list follows the port
        EXPECT_TRUE(w.DeviceLabel()->text().contains("/dev/ttyUSB0"));
        w.List(1010)->setCurrentIndex(1);  // port 2
        EXPECT_TRUE(w.DeviceLabel()->text().contains("/dev/ttyS1"));
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
    EXPECT_EQ(
        (std::array<int, 6>{s.nPort, s.nBaud, s.byParity, s.byByteSize, s.byStopBits, s.bXonXoff}),
        (std::array<int, 6>{2, 9600, 2, 7, 2, 0}));
    std::string stored;  // list indexes, and the time as typed
    for (const char* key :
         {"Port", "Baud", "Parity", "Character", "Stopbit", "Protocol", "SendTime"})
        stored += Stored(key) + " ";
    EXPECT_EQ(stored, "1 4 2 0 2 1 250 ");
    EXPECT_EQ(IniGetString(Ini(), "Other", "Key", ""), "1");
    EXPECT_EQ(Stored("Device3"), "/dev/ttyUSB0");
    EXPECT_EQ(LoadComSettings(Ini()).nBaud, 9600);  // what the next start loads

    CComSetWindow again(owner, nullptr, Ini());
    EXPECT_EQ(Shown(again, 1010), "2");
    EXPECT_EQ(Shown(again, 1011), "9600");
    EXPECT_EQ(Shown(again, 1016), "NONE");
    EXPECT_EQ(again.SendTimeEdit()->text(), "250");
}

// A discovered adapter is stored as Port and Device<n> with its stable name, so
// the file still reads as before and the adapter is found again after being
// plugged into another socket (another ttyUSB number, the same by-id name).
TEST_F(ComSetDlgTest, discoveredDevice_storedByStableName_foundAgainAfterReplug) {
    const std::string byId = "usb-FTDI_FT232R_USB_UART_A10K1ZQ8-if00-port0";
    FakeDeviceTree tree(dir.file("root"));
    tree.AddOnboard("ttyS0", "4", "pnp");
    tree.AddUsb({"ttyUSB0", "0403", "6001", "FTDI", "FT232R USB UART", "A10K1ZQ8", byId});
    StoreIni("[ComConfig]\nBaud=6\n");
    {
        CComSetWindow w(owner, nullptr, Ini());
        w.RefreshPorts(dir.file("root"));
        ASSERT_EQ(w.List(1010)->count(), 10);
        EXPECT_EQ(w.List(1010)->itemText(9), "USB 串口 FT232R USB UART (/dev/ttyUSB0)");
        w.List(1010)->setCurrentIndex(9);
        EXPECT_TRUE(w.DeviceLabel()->text().endsWith("/dev/ttyUSB0"));
        EXPECT_TRUE(w.DeviceLabel()->toolTip().endsWith(QString::fromStdString(byId)));
        w.List(1011)->setCurrentIndex(8);  // 115200
        w.List(1016)->setCurrentIndex(2);  // RTS/CTS
        ASSERT_TRUE(w.OnOK());
    }
    // Port 1 is the on-board UART, so the adapter becomes port 2.
    EXPECT_EQ(Stored("Port"), "1");
    EXPECT_EQ(Stored("Device2"), "/dev/serial/by-id/" + byId);
    EXPECT_EQ(Stored("Baud"), "8");
    EXPECT_EQ(Stored("Protocol"), "2");
    const ComSettings loaded = LoadComSettings(Ini());
    EXPECT_EQ((std::array<int, 3>{loaded.nPort, loaded.nBaud, loaded.bXonXoff}),
              (std::array<int, 3>{2, 115200, kProtocolRtsCts}));
    EXPECT_EQ(owner.m_settings.nBaud, 115200);

    tree.AddUsb({"ttyUSB1", "0403", "6001", "FTDI", "FT232R USB UART", "A10K1ZQ8", byId});
    CComSetWindow again(owner, nullptr, Ini());
    again.RefreshPorts(dir.file("root"));
    EXPECT_EQ(Shown(again, 1010), "USB 串口 FT232R USB UART (/dev/ttyUSB1)");
    EXPECT_EQ(Shown(again, 1011), "115200");
    EXPECT_EQ(Shown(again, 1016), "RTS/CTS");
    ASSERT_TRUE(again.OnOK());
    EXPECT_EQ(Stored("Port"), "1") << "the same number again";
    again.List(1010)->setCurrentIndex(8);  // the on-board port keeps its own number
    ASSERT_TRUE(again.OnOK());
    EXPECT_EQ(Stored("Port"), "0");
}

TEST_F(ComSetDlgTest, sendTime_refusedOutsideRangeOrNotInteger) {
    const std::pair<const char*, std::string> refused[] = {
        {"199", kSendTimeRangeMessage},
        {"1001", kSendTimeRangeMessage},
        {"70000", kSendTimeRangeMessage},
        {"-400", kSendTimeRangeMessage},
        {"99999999999999999999", kSendTimeRangeMessage},
        {"", kSendTimeNotIntegerMessage},
        {"abc", kSendTimeNotIntegerMessage},
        {"300x", kSendTimeNotIntegerMessage},
        {"12 3", kSendTimeNotIntegerMessage}};
    for (const auto& [text, message] : refused) {
        desk.clearCalls();
        CComSetWindow w(owner, nullptr, Ini());
        w.SendTimeEdit()->setText(text);
        EXPECT_FALSE(w.OnOK()) << text;
        EXPECT_EQ(desk.messages(), std::vector<std::string>{message}) << text;
        EXPECT_NE(w.result(), QDialog::Accepted);
        EXPECT_FALSE(FileExists(Ini())) << text;
    }
    for (const char* text : {"200", "1000", "\t+600\n"}) {
        CComSetWindow w(owner, nullptr, Ini());
        w.SendTimeEdit()->setText(text);
        EXPECT_TRUE(w.OnOK()) << text;
    }
    EXPECT_EQ(Stored("SendTime"), "600");
}

// The download's end silence: shown from the stored value (600 when none or
// out of range), refused outside 600-10000 ms, stored and applied on OK.
TEST_F(ComSetDlgTest, endSilence_shownRefusedOutsideRangeStoredAndApplied) {
    const auto edit = [](CComSetWindow& w) {
        return FindControl<QLineEdit>(&w, kEndSilenceEditId);
    };
    for (const auto& [stored, shown] :
         {std::pair{"", "600"}, {"EndSilence=50\r\n", "600"}, {"EndSilence=2500\r\n", "2500"}}) {
        StoreIni(std::string("[ComConfig]\r\n") + stored);
        CComSetWindow w(owner, nullptr, Ini());
        EXPECT_EQ(edit(w)->text().toStdString(), shown) << stored;
    }
    for (const char* text : {"599", "10001", "abc", ""}) {
        desk.clearCalls();
        CComSetWindow w(owner, nullptr, Ini());
        edit(w)->setText(text);
        EXPECT_FALSE(w.OnOK()) << text;
        EXPECT_EQ(desk.messages(), std::vector<std::string>{kEndSilenceRangeMessage});
    }
    EXPECT_EQ(Stored("EndSilence"), "2500");
    for (const char* text : {"600", "10000", "1500"}) {
        CComSetWindow w(owner, nullptr, Ini());
        edit(w)->setText(text);
        EXPECT_TRUE(w.OnOK()) << text;
        EXPECT_EQ(std::to_string(owner.m_settings.nEndSilenceMs), text);
    }
    EXPECT_EQ(Stored("EndSilence"), "1500");
    EXPECT_EQ(LoadComSettings(Ini()).nEndSilenceMs, 1500);
}

// Cancel stores and applies nothing. A stored index outside a list shows no
// selection; confirming stores -1 for it and keeps its run-time value.
TEST_F(ComSetDlgTest, cancelChangesNothing_storedIndexOutsideListStoresMinusOne) {
    StoreIni("[ComConfig]\nBaud=9\nPort=11\n");
    owner.m_settings.nBaud = 4800;
    owner.m_settings.nPort = 3;
    {
        CComSetWindow w(owner, nullptr, Ini());
        w.List(1011)->setCurrentIndex(6);
        FindControl<QPushButton>(&w, 2)->click();
        EXPECT_EQ(w.result(), QDialog::Rejected);
    }
    EXPECT_EQ(TempDir::read(Ini()), "[ComConfig]\nBaud=9\nPort=11\n");
    CComSetWindow w(owner, nullptr, Ini());
    EXPECT_EQ(w.List(1011)->currentIndex(), -1);
    EXPECT_EQ(w.List(1010)->currentIndex(), -1);
    ASSERT_TRUE(w.OnOK());
    EXPECT_EQ(Stored("Baud"), "-1");
    EXPECT_EQ(Stored("Port"), "-1");
    EXPECT_EQ(owner.m_settings.nBaud, 4800);
    EXPECT_EQ(owner.m_settings.nPort, 3);
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
