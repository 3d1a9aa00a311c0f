// The serial commands of veltramarlin-cli as a user in the field meets them:
// the list of ports, and every reason a port cannot be opened, with the exact
// texts, run from a clean folder.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <fstream>

#include "serial/port_lock.h"
#include "tools/sim_instrument.h"
#include "tests/support/cli_runner.h"
#include "tests/support/fake_device_tree.h"
#include "tests/support/temp_dir.h"

namespace vm {
namespace {

using test::CliRun;
using test::TempDir;

TEST(PortsCommand, listsTheDevicesAsLinesOrAsJsonThatParses) {
    TempDir dir;
    test::FakeDeviceTree tree(dir.path());
    // A product string with a quote and a byte that is no UTF-8, as a cheap
    // adapter may report.
    tree.AddUsb({"ttyUSB0", "0403", "6001", "FTDI", "FT232R \"field\" \xB2", "A10K1ZQ8",
                 "usb-FTDI_FT232R-if00-port0"});
    tree.AddOnboard("ttyS0", "4", "pnp");
    const CliRun lines = test::RunCliCommand({"ports", "--root", "."}, {dir.path(), ""});
    EXPECT_EQ(lines.status, 0);
    EXPECT_EQ(lines.out,
              "/dev/ttyS0\tttyS0\t板载串口\n"
              "/dev/serial/by-id/usb-FTDI_FT232R-if00-port0\tttyUSB0\t"
              "USB 串口 FTDI FT232R \"field\" \xB2 [0403:6001] 序列号 A10K1ZQ8\n");

    const CliRun json = test::RunCliCommand({"ports", "--json", "--root", "."}, {dir.path(), ""});
    EXPECT_EQ(json.status, 0);
    const std::string file = dir.write("ports.json", json.out);
    const std::string check =
        "/usr/bin/python3 -c \"import json,sys; p=json.load(open('" + file +
        "')); print(len(p), p[1]['stable'], p[1]['kernel'], p[1]['product'])\"";
    FILE* python = ::popen(check.c_str(), "r");
    char line[512] = {};
    ASSERT_TRUE(python && std::fgets(line, sizeof line, python)) << json.out;
    ::pclose(python);
    EXPECT_EQ(
        std::string(line),
        "2 /dev/serial/by-id/usb-FTDI_FT232R-if00-port0 ttyUSB0 FT232R \"field\" \xEF\xBF\xBD\n");
}

// Each failure keeps the usual texts, names the device given, says why, and
// ends with exit status 1: a missing device, another program's lock file in
// the machine's lock folder, and a user who is not in the dialout group.
TEST(SerialCommandFailures, nameTheDeviceAndTheReason) {
    TempDir dir;
    sim::CPtyInstrument locked, denied;
    std::string error;
    ASSERT_TRUE(locked.Create(error) && denied.Create(error)) << error;
    const std::string lock = PortLockFolders().front() + "/" + PortLockName(locked.DevicePath());
    char pid[16];
    std::snprintf(pid, sizeof pid, "%10d\n", int(::getpid()));
    const bool lockWritten = bool(std::ofstream(lock) << pid);
    const bool asNobody = ::getuid() == 0 && ::system("command -v setpriv >/dev/null") == 0;
    struct Row {
        std::string device, reason, prefix;
        bool possible;
    } rows[] = {
        {"/nonexistent", "找不到这个设备（未连接、已拔出或名称有误）", "", true},
        {locked.DevicePath(),
         "设备正被其它程序占用（进程 " + std::to_string(::getpid()) + " test_cli）", "",
         lockWritten},
        {denied.DevicePath(),
         "没有权限打开这个设备：请把用户加入 dialout 组（sudo usermod -aG dialout 用户名），"
         "然后注销并重新登录",
         "setpriv --reuid=nobody --regid=nogroup --clear-groups", asNobody},
    };
    for (const Row& r : rows) {
        if (!r.possible) {
            std::printf("note: %s cannot be tried here\n", r.reason.c_str());
            continue;
        }
        for (const std::vector<std::string>& command :
             {std::vector<std::string>{"download", "--max-wait", "1"}, {"upload"}}) {
            std::vector<std::string> args = command;
            args.insert(args.end(), {"--device", r.device, "x.txt"});
            const CliRun run = test::RunCliCommand(args, {dir.path(), r.prefix});
            EXPECT_EQ(run.status, 1) << command[0];
            EXPECT_EQ(run.out, r.device + "打开失败，没有这个串口，或者该串口被其它程序占用>>> " +
                                   r.reason + "\n" + r.device + "打开失败!\n" + r.reason + "\n");
        }
    }
    ::unlink(lock.c_str());
    EXPECT_FALSE(std::ifstream(dir.file("x.txt")).good());
}

}  // namespace
}  // namespace vm
