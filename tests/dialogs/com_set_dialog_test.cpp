// The serial settings dialog: what it shows, what OK stores and applies, what
// Cancel leaves alone, the Send time and end silence checks, and the devices
// found on the machine stored by the name that survives a re-plug.
#include <gtest/gtest.h>

#include <array>
#include <fstream>

#include "common/file_io.h"
#include "common/ini_file.h"
#include "dialogs/com_set_dialog.h"
#include "dialogs/end_silence_setting.h"
#include "tests/support/fake_device_tree.h"
#include "tests/support/recording_dialog_host.h"
#include "tests/support/temp_dir.h"

namespace vm::test {
namespace {

constexpr int kSendTime = CComSetDlg::kSendTimeId;

class ComSetDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        owner.m_settings = ComSettings{1, 2400, 0, 0, 8, 1};
        owner.m_iniPath = Ini();
        owner.m_deviceRoot = dir.file("no-devices");  // the numbered ports only
    }

    std::string Ini() const { return dir.file("ConfigFile.ini"); }
    void StoreIni(const std::string& text) const { std::ofstream(Ini()) << text; }
    std::string Stored(const char* key) const {
        return IniGetString(Ini(), "ComConfig", key, "<none>");
    }
    // A fresh showing of the dialog.
    RecordingDialogHost& Show() {
        host = std::make_unique<RecordingDialogHost>(owner);
        host->Open();
        return *host;
    }
    std::string Shown(int id) const { return host->Text(id); }
    // Presses OK with these texts typed: the messages shown, and whether it closed.
    std::vector<std::string> PressOk(const std::string& sendTime, const std::string& silence) {
        RecordingDialogHost& h = Show();
        h.Type(kSendTime, sendTime);
        h.Type(kEndSilenceEditId, silence);
        h.Click(kIdOk);
        return h.messageTexts();
    }

    TempDir dir;
    CComSetDlg owner;
    std::unique_ptr<RecordingDialogHost> host;
};

// Without a settings file the defaults show and nothing is written; every
// baud rate listed is the one the next start loads for its stored index.
TEST_F(ComSetDialogTest, withoutIni_showsDefaultsAndWritesNothing) {
    Show();
    std::string shown;
    for (int id : {1010, 1011, 1012, 1013, 1014, 1016, kSendTime, kEndSilenceEditId})
        shown += Shown(id) + " ";
    EXPECT_EQ(shown, "1 2400 NONE 8 1 XON/XOFF 400 600 ");
    EXPECT_FALSE(FileExists(Ini()));
    const std::vector<std::string> rates = host->control(1011).items;
    ASSERT_EQ(rates.size(), 9u);
    TempDir other;
    for (size_t i = 0; i < rates.size(); ++i) {
        const std::string ini = other.write("c.ini", "[ComConfig]\nBaud=" + std::to_string(i));
        EXPECT_EQ(std::to_string(LoadComSettings(ini).nBaud), rates[i]);
    }
}

TEST_F(ComSetDialogTest, ok_appliesAndStoresEveryChoiceKeepingOtherLines_roundTrip) {
    StoreIni("; surveyor's notes\n[Other]\nKey=1\n[ComConfig]\nDevice3=/dev/ttyUSB0\n");
    RecordingDialogHost& h = Show();
    h.Choose(1010, 2);  // the device beside the list follows the port
    EXPECT_EQ(Shown(CComSetDlg::kDeviceLabelId), "设备：\n/dev/ttyUSB0");
    h.Choose(1010, 1);  // port 2
    EXPECT_EQ(Shown(CComSetDlg::kDeviceLabelId), "设备：\n/dev/ttyS1");
    h.Choose(1011, 4);  // 9600
    h.Choose(1012, 2);  // EVEN
    h.Choose(1013, 0);  // 7 bits
    h.Choose(1014, 2);  // 2 stop bits
    h.Choose(1016, 1);  // no protocol
    h.Type(kSendTime, " 250 ");
    h.Click(kIdOk);
    EXPECT_EQ(h.result(), kIdOk);
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

    Show();
    EXPECT_EQ(Shown(1010), "2");
    EXPECT_EQ(Shown(1011), "9600");
    EXPECT_EQ(Shown(1016), "NONE");
    EXPECT_EQ(Shown(kSendTime), "250");
}

// A discovered adapter is stored as Port and Device<n> with its stable name, so
// the file still reads as before and the adapter is found again after being
// plugged into another socket (another ttyUSB number, the same by-id name).
TEST_F(ComSetDialogTest, discoveredDevice_storedByStableName_foundAgainAfterReplug) {
    const std::string byId = "usb-FTDI_FT232R_USB_UART_A10K1ZQ8-if00-port0";
    FakeDeviceTree tree(dir.file("root"));
    tree.AddOnboard("ttyS0", "4", "pnp");
    tree.AddUsb({"ttyUSB0", "0403", "6001", "FTDI", "FT232R USB UART", "A10K1ZQ8", byId});
    StoreIni("[ComConfig]\nBaud=6\n");
    owner.m_deviceRoot = dir.file("root");
    RecordingDialogHost& h = Show();
    ASSERT_EQ(h.ItemCount(1010), 10);
    EXPECT_EQ(h.control(1010).items[9], "USB 串口 FT232R USB UART (/dev/ttyUSB0)");
    h.Choose(1010, 9);
    EXPECT_EQ(Shown(CComSetDlg::kDeviceLabelId), "设备：\n/dev/ttyUSB0");
    EXPECT_EQ(h.control(CComSetDlg::kDeviceLabelId).toolTip, "/dev/serial/by-id/" + byId);
    h.Choose(1011, 8);  // 115200
    h.Choose(1016, 2);  // RTS/CTS
    h.Click(kIdOk);
    ASSERT_EQ(h.result(), kIdOk);
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
    RecordingDialogHost& again = Show();
    EXPECT_EQ(Shown(1010), "USB 串口 FT232R USB UART (/dev/ttyUSB1)");
    EXPECT_EQ(Shown(1011), "115200");
    EXPECT_EQ(Shown(1016), "RTS/CTS");
    again.Click(kIdOk);
    EXPECT_EQ(Stored("Port"), "1") << "the same number again";
    RecordingDialogHost& onboard = Show();
    onboard.Choose(1010, 8);  // the on-board port keeps its own number
    onboard.Click(kIdOk);
    EXPECT_EQ(Stored("Port"), "0");
}

// The Send time is an integer of 200-1000, the end silence one of 600-10000 ms;
// a refused number is said, focused, and nothing is stored or applied.
TEST_F(ComSetDialogTest, numbers_refusedOutsideRangeOrNotInteger_storedAndAppliedWhenGood) {
    const std::pair<const char*, std::string> refusedTimes[] = {
        {"199", kSendTimeRangeMessage},
        {"1001", kSendTimeRangeMessage},
        {"70000", kSendTimeRangeMessage},
        {"-400", kSendTimeRangeMessage},
        {"99999999999999999999", kSendTimeRangeMessage},
        {"", kSendTimeNotIntegerMessage},
        {"abc", kSendTimeNotIntegerMessage},
        {"300x", kSendTimeNotIntegerMessage},
        {"12 3", kSendTimeNotIntegerMessage}};
    for (const auto& [text, message] : refusedTimes) {
        EXPECT_EQ(PressOk(text, "600"), std::vector<std::string>{message}) << text;
        EXPECT_EQ(host->focus, kSendTime);
        EXPECT_FALSE(host->result().has_value());
    }
    for (const char* text : {"599", "10001", "abc", ""}) {
        EXPECT_EQ(PressOk("400", text), std::vector<std::string>{kEndSilenceRangeMessage});
        EXPECT_EQ(host->focus, kEndSilenceEditId);
    }
    EXPECT_FALSE(FileExists(Ini()));
    for (const auto& [time, silence] :
         {std::pair{"200", "600"}, {"1000", "10000"}, {"\t+600\n", "1500"}}) {
        EXPECT_TRUE(PressOk(time, silence).empty()) << time;
        EXPECT_EQ(host->result(), kIdOk);
        EXPECT_EQ(std::to_string(owner.m_settings.nEndSilenceMs), silence);
    }
    EXPECT_EQ(Stored("SendTime"), "600");
    EXPECT_EQ(Stored("EndSilence"), "1500");
    EXPECT_EQ(LoadComSettings(Ini()).nEndSilenceMs, 1500);
    // Shown from the stored value, 600 when out of range.
    for (const auto& [stored, shown] :
         {std::pair{"EndSilence=50\r\n", "600"}, {"EndSilence=2500\r\n", "2500"}}) {
        StoreIni(std::string("[ComConfig]\r\n") + stored);
        Show();
        EXPECT_EQ(Shown(kEndSilenceEditId), shown) << stored;
    }
}

// Cancel stores and applies nothing. A stored index outside a list shows no
// selection; confirming stores -1 for it and keeps its run-time value.
TEST_F(ComSetDialogTest, cancelChangesNothing_storedIndexOutsideListStoresMinusOne) {
    StoreIni("[ComConfig]\nBaud=9\nPort=11\n");
    owner.m_settings.nBaud = 4800;
    owner.m_settings.nPort = 3;
    RecordingDialogHost& h = Show();
    h.Choose(1011, 6);
    h.Click(kIdCancel);
    EXPECT_EQ(h.result(), kIdCancel);
    EXPECT_EQ(TempDir::read(Ini()), "[ComConfig]\nBaud=9\nPort=11\n");
    RecordingDialogHost& again = Show();
    EXPECT_EQ(again.Selection(1011), -1);
    EXPECT_EQ(again.Selection(1010), -1);
    EXPECT_EQ(Shown(CComSetDlg::kDeviceLabelId), "设备：未选择串口");
    again.Click(kIdOk);
    EXPECT_EQ(Stored("Baud"), "-1");
    EXPECT_EQ(Stored("Port"), "-1");
    EXPECT_EQ(owner.m_settings.nBaud, 4800);
    EXPECT_EQ(owner.m_settings.nPort, 3);
}

TEST_F(ComSetDialogTest, unwritableIni_appliesForThisRunAndSaysSo) {
    owner.m_iniPath = dir.file("no/such/folder/ConfigFile.ini");
    RecordingDialogHost& h = Show();
    h.Choose(1011, 5);
    h.Click(kIdOk);
    EXPECT_EQ(h.result(), kIdOk);
    EXPECT_EQ(owner.m_settings.nBaud, 19200);
    ASSERT_EQ(h.messages.size(), 1u);
    EXPECT_NE(h.messages[0].text.find("无法"), std::string::npos);
}

}  // namespace
}  // namespace vm::test
