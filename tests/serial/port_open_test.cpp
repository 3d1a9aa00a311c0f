// Opening the port: why an open fails and what the user is told, the lock
// files shared with the other serial programs, and the line speeds beyond the
// terminal layer's fixed list.
#include <gtest/gtest.h>

#include <csignal>
#include <fstream>
#include <cstdio>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include "common/file_io.h"
#include "serial/port_lock.h"
#include "serial/transfer_texts.h"
#include "serial/tty_speed_linux.h"
#include "tests/serial/pty_link.h"

namespace vm {
namespace {

using test::PtyLink;
using test::TempDir;

const std::string kNotFound = "找不到这个设备（未连接、已拔出或名称有误）";

// Lock files go to a folder of the test's own while it runs.
class PortOpen : public ::testing::Test {
protected:
    void SetUp() override { SetPortLockFolders({locks.path()}); }
    void TearDown() override { SetPortLockFolders({}); }

    std::string LockFileOf(const std::string& device) const {
        return locks.file(PortLockName(device));
    }
    static std::string OwnName() {
        std::string name = TempDir::read("/proc/self/comm");
        return name.substr(0, name.find('\n'));
    }
    static std::string LockText(long pid) {
        char text[16];
        std::snprintf(text, sizeof text, "%10ld\n", pid);
        return text;
    }

    TempDir locks;
};

// The reason follows the usual texts; a port given by path is named by it.
TEST_F(PortOpen, everyFailureTellsTheDeviceAndTheReason) {
    TempDir dir;
    PtyLink free, held;
    ::symlink(dir.file("unplugged").c_str(), dir.file("dangling").c_str());
    ::mkdir(dir.file("folder").c_str(), 0700);
    struct Row {
        std::string device;
        int32_t baud;
        std::string reason;
    } rows[] = {
        {"/dev/veltramarlin-no-such-port", 9600, kNotFound},
        {dir.file("dangling"), 9600, kNotFound},
        {dir.write("plain.txt", "x"), 9600, "这不是串口设备"},
        {dir.file("folder"), 9600, "这不是串口设备"},
        // A list left without a choice stores -1, which no device takes.
        {free.choice.devicePath, -1, "设备不支持这个设置：波特率 -1"},
        {held.choice.devicePath, 9600,
         "设备正被其它程序占用（进程 " + std::to_string(::getpid()) + " " + OwnName() + "）"},
    };
    std::ofstream(LockFileOf(held.choice.devicePath)) << LockText(::getpid());
    for (const Row& r : rows) {
        CSerialPort port;
        CCommTicker ticker;
        std::string pane = "kept";
        PortChoice choice = held.choice;
        choice.devicePath = r.device;
        choice.settings.nBaud = r.baud;
        const TransferStart start = StartDownload(port, choice, ticker, pane);
        EXPECT_FALSE(start.started) << r.device;
        EXPECT_EQ(start.status, DeviceFailedStatus(r.device) + " " + r.reason);
        EXPECT_EQ(start.message, r.device + "打开失败!\n" + r.reason);
        EXPECT_EQ(pane, "kept");
        EXPECT_FALSE(port.IsOpen());
    }
}

// Stale locks (their process is gone) are cleared; ours holds our process id
// while the port is open and goes with the port, also when the device vanished.
TEST_F(PortOpen, aStaleLockIsReplacedAndOursIsRemovedAfterwards) {
    const pid_t gone = ::fork();
    if (gone == 0)
        ::_exit(0);
    ::waitpid(gone, nullptr, 0);
    test::Download d;
    d.port.Close();
    std::ofstream(LockFileOf(d.link.choice.devicePath)) << LockText(gone);
    ASSERT_TRUE(StartDownload(d.port, d.link.choice, d.ticker, d.pane).started);
    EXPECT_EQ(TempDir::read(LockFileOf(d.link.choice.devicePath)), LockText(::getpid()));
    d.Send("PT1,1,2,3\r\n");
    std::string received;
    EXPECT_TRUE(d.TickToEnd(received).finished);
    EXPECT_FALSE(FileExists(LockFileOf(d.link.choice.devicePath))) << "removed after the transfer";

    test::Download lost;
    const std::string lockFile = LockFileOf(lost.link.choice.devicePath);
    EXPECT_TRUE(FileExists(lockFile));
    lost.link.pty.HangUp();
    EXPECT_TRUE(lost.Tick().portLost);
    EXPECT_FALSE(FileExists(lockFile)) << "removed after the device vanished";

    SetPortLockFolders({locks.file("not-there")});
    EXPECT_TRUE(test::Download().start.started) << "a folder that takes no locks does not stop it";
}

// A terminal program that holds the port (here picocom, which keeps the device
// locked while it runs) is named when our open is refused.
TEST_F(PortOpen, aPortHeldByATerminalProgramIsRefusedNamingIt) {
    if (::system("command -v picocom >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "picocom is not installed (scripts/install-deps.sh adds it)";
    PtyLink link;
    const std::string command = "exec picocom --noreset --noinit --quiet --baud 9600 " +
                                link.choice.devicePath + " </dev/null >/dev/null 2>&1";
    const pid_t holder = ::fork();
    if (holder == 0) {
        ::setsid();  // its own session: what it signals on leaving stays there
        ::execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    CSerialPort port;
    bool refused = false;
    for (int i = 0; i < 100 && !refused; ++i) {  // until picocom has the device
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        refused = !OpenPort(port, link.choice);
    }
    const PortOpenFailure failure = port.LastFailure();
    ::kill(holder, SIGTERM);
    ::waitpid(holder, nullptr, 0);
    if (!refused)
        GTEST_SKIP() << "picocom could not hold a pseudo-terminal here";
    EXPECT_EQ(failure.kind, PortFailure::InUse);
    EXPECT_EQ(failure.holderPid, holder);
    EXPECT_EQ(PortFailureReason(failure),
              "设备正被其它程序占用（进程 " + std::to_string(holder) + " picocom）");
    EXPECT_TRUE(OpenPort(port, link.choice)) << "free again once picocom has ended";
}

// Every rate opens at exactly that speed, whether or not the terminal layer
// has a constant for it; RTS/CTS follows the protocol setting.
TEST_F(PortOpen, everyRateOpensAtThatSpeedAndRtsCtsFollowsTheProtocol) {
    PtyLink link;
    for (int32_t baud : {300, 14400, 28800, 56000, 57600, 115200, 128000, 250000, 12345}) {
        for (int32_t protocol : {0, 1, kProtocolRtsCts}) {
            CSerialPort port;
            link.choice.settings.nBaud = baud;
            link.choice.settings.bXonXoff = protocol;
            ASSERT_TRUE(OpenPort(port, link.choice)) << baud << " " << protocol;
            termios attrs{};
            ASSERT_EQ(::tcgetattr(link.pty.MasterFd(), &attrs), 0);
            EXPECT_EQ(tty::ReportedSpeed(link.pty.MasterFd()), baud);
            EXPECT_EQ((attrs.c_cflag & CRTSCTS) != 0, protocol == kProtocolRtsCts) << protocol;
        }
    }
}

}  // namespace
}  // namespace vm
