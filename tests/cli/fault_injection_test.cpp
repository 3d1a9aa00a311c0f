// Every file command of veltramarlin-cli where files meet the disk: sources
// that cannot be read, targets that cannot be written, a full disk (a file-size
// limit, and a small tmpfs when the tests may mount one) and a read-only disk.
// Each time the user must get a clear failure, exit status 1, no success text,
// and every earlier file must stay exactly as it was, with no temporary left.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "common/file_io.h"
#include "tests/support/cli_runner.h"
#include "tests/support/temp_dir.h"

namespace vm {
namespace {

using test::TempDir;

using test::CliRun;

// Runs veltramarlin-cli in folder with its per-user folders inside it; with
// fileSizeLimit > 0 no file may grow past that many bytes.
CliRun RunCli(const std::vector<std::string>& args, const std::string& folder,
              long fileSizeLimit = 0) {
    return test::RunCliCommand(args, {folder, "", fileSizeLimit});
}

bool IsFolder(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// A few hundred kilobytes of output for every command.
std::string CoordinateSource() {
    std::string s = "ATMOS 20,1013\r\n";
    for (int i = 0; i < 4000; ++i)
        s += "P" + std::to_string(i) + ",2535789123,506432456,45123,TREE\r\n";
    return s;
}

std::string MeasurementSource() {
    std::string s = "UNITS m,d\r\nATMOS 20,1013\r\n";
    for (int i = 0; i < 4000; ++i)
        s += "SS P" + std::to_string(i) +
             ",1.600,TREE\r\nSD 1234500,900000,100000\r\nXYZ 1000000,2000000,50000\r\n";
    return s;
}

// One command of the CLI: its arguments, with "SOURCE" and "TARGET" standing
// for the files.
struct Command {
    std::string name;
    std::string source;
    std::vector<std::string> args;
    std::string targetName = "out.txt";
};

std::vector<Command> FileCommands() {
    const std::string coords = CoordinateSource();
    const std::string meas = MeasurementSource();
    return {
        {"coord", coords, {"coord", "--layout", "0", "SOURCE", "TARGET"}},
        {"meas", meas, {"meas", "--layout", "0", "--coord", "TARGET", "SOURCE"}},
        {"meas-angles", meas, {"meas", "--angle-dist", "TARGET", "SOURCE"}},
        {"universal", coords, {"universal", "SOURCE", "TARGET"}},
        {"table", coords, {"table", "SOURCE", "TARGET"}},
        {"excel-workbook", coords, {"excel", "SOURCE", "TARGET"}, "out.xls"},
        {"dxf-cad",
         coords,
         {"dxf", "--type", "coordinate", "--cad", "SOURCE", "TARGET"},
         "out.dxf"},
        {"excel-text", coords, {"excel", "SOURCE", "TARGET"}},
        {"dxf-coordinate", coords, {"dxf", "--type", "coordinate", "SOURCE", "TARGET"}, "out.dxf"},
        {"dxf-measurement", meas, {"dxf", "--type", "measurement", "SOURCE", "TARGET"}, "out.dxf"},
    };
}

const char* const kSuccessTexts[] = {"转换保存成功", "转换成功", "Save OK", "保存成功"};

// A failure the user can read: exit 1, some failure text, no success text.
void ExpectReportedFailure(const CliRun& run, const std::string& what) {
    EXPECT_EQ(run.status, 1) << what << "\n" << run.out;
    const bool explained = run.out.find("失败") != std::string::npos ||
                           run.out.find("无法") != std::string::npos ||
                           run.out.find("failed") != std::string::npos;
    EXPECT_TRUE(explained) << what << ": no clear message in\n" << run.out;
    for (const char* success : kSuccessTexts)
        EXPECT_EQ(run.out.find(success), std::string::npos) << what << ": " << run.out;
}

class FileCommandFaults : public ::testing::TestWithParam<Command> {
protected:
    std::string Source() const { return dir.write("source.txt", GetParam().source); }
    std::string Target() const { return dir.file(GetParam().targetName); }
    CliRun Run(const std::string& source, const std::string& target, long limit = 0) {
        std::vector<std::string> args = GetParam().args;
        std::replace(args.begin(), args.end(), std::string("SOURCE"), source);
        std::replace(args.begin(), args.end(), std::string("TARGET"), target);
        return RunCli(args, dir.path(), limit);
    }

    TempDir dir;
};

// A source that cannot be read, a target that cannot be written and a disk
// that fills up (a file-size limit): each reported, the earlier target kept,
// nothing made where the target could not be, and no temporary left.
TEST_P(FileCommandFaults, unreadableSourceUnwritableTargetAndFullDiskAreReported) {
    const std::string source = Source();
    const std::string target = dir.write(GetParam().targetName, "earlier");
    const std::string folder = dir.file("folder"), plain = dir.write("plain", "x");
    ::mkdir(folder.c_str(), 0755);
    for (const std::string& bad : {dir.file("absent.txt"), folder, plain + "/under-a-file.txt"})
        ExpectReportedFailure(Run(bad, target), GetParam().name + " from " + bad);
    for (const std::string& bad : {dir.file("vanished/out.txt"), plain + "/out.txt", folder}) {
        ExpectReportedFailure(Run(source, bad), GetParam().name + " to " + bad);
        EXPECT_TRUE(bad == folder || !FileExists(bad)) << bad;
    }
    EXPECT_TRUE(IsFolder(folder) && TempDir::list(folder).empty());
    EXPECT_EQ(TempDir::read(plain), "x");
    EXPECT_EQ(TempDir::read(target), "earlier");

    const auto entries = [this] {  // without the per-user folders a run makes
        std::vector<std::string> names = TempDir::list(dir.path());
        names.erase(
            std::remove_if(names.begin(), names.end(),
                           [](const std::string& n) { return n == "data" || n == "config"; }),
            names.end());
        return names;
    };
    const std::vector<std::string> before = entries();
    ExpectReportedFailure(Run(source, target, 16 * 1024), GetParam().name + " on a full disk");
    EXPECT_EQ(TempDir::read(target), "earlier");
    EXPECT_EQ(entries(), before) << "a temporary or partial file was left";
}

std::string CommandName(const ::testing::TestParamInfo<Command>& info) {
    std::string name = info.param.name;
    std::replace(name.begin(), name.end(), '-', '_');
    return name;
}

INSTANTIATE_TEST_SUITE_P(Cli, FileCommandFaults, ::testing::ValuesIn(FileCommands()), CommandName);

// A real filesystem that runs out of space, then is read-only: a small tmpfs
// mounted for the test (only where the tests may mount, as root in CI).
TEST_P(FileCommandFaults, aDiskWithoutSpaceOrReadOnlyKeepsTheEarlierTarget) {
    const std::string disk = dir.file("disk"), filler = disk + "/filler";
    ::mkdir(disk.c_str(), 0755);
    if (::mount("tmpfs", disk.c_str(), "tmpfs", 0, "size=256k") != 0)
        GTEST_SKIP() << "no permission to mount a tmpfs here";
    const std::shared_ptr<void> unmount(nullptr,
                                        [&disk](void*) { ::umount2(disk.c_str(), MNT_DETACH); });
    const std::string source = Source();
    const std::string target = disk + "/" + GetParam().targetName;
    ASSERT_TRUE(WriteFileAtomic(target, "earlier"));
    const int fd = ::open(filler.c_str(), O_WRONLY | O_CREAT, 0644);  // full but for 8 KB
    const std::string block(4096, 'f');
    while (::write(fd, block.data(), block.size()) == static_cast<ssize_t>(block.size())) {
    }
    ASSERT_EQ(::ftruncate(fd, ::lseek(fd, 0, SEEK_END) - 8192), 0);
    ::close(fd);
    ExpectReportedFailure(Run(source, target), GetParam().name + " on a full tmpfs");
    EXPECT_EQ(TempDir::read(target), "earlier");
    EXPECT_EQ(TempDir::list(disk).size(), 2u) << "a temporary was left";

    ::unlink(filler.c_str());
    ASSERT_EQ(::mount("tmpfs", disk.c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY, "size=256k"), 0);
    ExpectReportedFailure(Run(source, target), GetParam().name + " on a read-only disk");
    EXPECT_EQ(TempDir::read(target), "earlier");
}

// Every output kind replaces its target as the user left it: a link is written
// through, permissions and owner are kept, a hard-linked file is rewritten in
// place; a read-only target, or one that is the source, is refused untouched.
class TargetReplacement : public FileCommandFaults {};

TEST_P(TargetReplacement, keepsWhatTheUserGaveTheTargetAndRefusesWhatWouldLoseData) {
    const std::string source = Source();
    const std::string real = dir.write(GetParam().targetName, "earlier");
    const std::string link = dir.file("link-" + GetParam().targetName);
    ASSERT_EQ(::symlink(GetParam().targetName.c_str(), link.c_str()), 0);
    CliRun run = Run(source, link);
    ASSERT_EQ(run.status, 0) << run.out;
    struct stat st {};
    EXPECT_TRUE(::lstat(link.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) << "the link stays a link";
    EXPECT_EQ(TempDir::read(real).find("earlier"), std::string::npos) << "replaced, not extended";

    const bool root = ::geteuid() == 0;
    ::chmod(real.c_str(), 0640);
    if (root) {
        ASSERT_EQ(::chown(real.c_str(), 4321, 4322), 0);
    }
    ASSERT_EQ(Run(source, real).status, 0);
    ASSERT_EQ(::stat(real.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    if (root) {
        EXPECT_TRUE(st.st_uid == 4321 && st.st_gid == 4322) << st.st_uid << ":" << st.st_gid;
    }

    const std::string twin = dir.file("twin");
    ASSERT_EQ(::link(real.c_str(), twin.c_str()), 0);
    ASSERT_EQ(::truncate(real.c_str(), 0), 0);
    ASSERT_EQ(Run(source, real).status, 0);
    const std::string rewritten = TempDir::read(twin);
    EXPECT_TRUE(rewritten.size() > 0 && rewritten == TempDir::read(real))
        << "every name of the file sees the new content";

    ::chmod(real.c_str(), 0444);
    run = Run(source, twin);
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.out.find("文件是只读的：" + twin), std::string::npos) << run.out;
    EXPECT_TRUE(TempDir::read(real) == rewritten);

    const std::string alias = dir.file("alias");
    ASSERT_EQ(::symlink(source.c_str(), alias.c_str()), 0);
    run = Run(source, alias);
    EXPECT_EQ(run.status, 1);
    const size_t said = run.out.find("目标文件不能与源文件相同：" + alias);
    EXPECT_TRUE(said != std::string::npos && said == run.out.rfind("目标文件不能与源文件相同："))
        << "said once: " << run.out;
    EXPECT_EQ(TempDir::read(source), GetParam().source);
    for (const std::string& name : TempDir::list(dir.path()))
        EXPECT_EQ(name.rfind(".vm-", 0), std::string::npos) << name;
}

std::vector<Command> EveryOutputKind() {
    std::vector<Command> commands = FileCommands();
    const std::string coords = CoordinateSource();
    commands.push_back({"excel-xlsx", coords, {"excel", "SOURCE", "TARGET"}, "out.xlsx"});
    commands.push_back(
        {"table-pdf", coords, {"table", "--pdf", "TARGET", "SOURCE", "table.txt"}, "out.pdf"});
    return commands;
}

INSTANTIATE_TEST_SUITE_P(Cli, TargetReplacement, ::testing::ValuesIn(EveryOutputKind()),
                         CommandName);

// An output that would hold no record is not created, from an empty source as
// from one of NUL bytes, and the run says so and fails.
TEST_P(TargetReplacement, anOutputWithoutRecordsIsNotCreated) {
    for (const std::string& bytes :
         {std::string(), std::string(4096, '\0'), std::string("\r\n \r\n")}) {
        const std::string source = dir.write("empty.txt", bytes);
        const std::string target = dir.file(GetParam().targetName);
        const CliRun run = Run(source, target);
        EXPECT_EQ(run.status, 1) << bytes.size() << "\n" << run.out;
        EXPECT_NE(run.out.find("没有记录，未创建 "), std::string::npos) << run.out;
        EXPECT_FALSE(FileExists(target));
    }
}

// Two outputs of one run on one file, however spelt, are refused before either is written.
TEST(TargetReplacement, twoOutputsOnOneFileAreRefused) {
    TempDir dir;
    const std::string meas = dir.write("m.txt", MeasurementSource());
    const std::string coords = dir.write("c.txt", CoordinateSource());
    const std::string out = dir.write("out.txt", "earlier");
    const std::vector<std::string> runs[] = {
        {"meas", "--coord", out, "--angle", dir.path() + "/./out.txt", meas},
        {"table", "--pdf", out, coords, out},
    };
    for (const std::vector<std::string>& args : runs) {
        const CliRun run = RunCli(args, dir.path());
        EXPECT_EQ(run.status, 1) << args[0];
        EXPECT_NE(run.out.find("两个输出不能使用同一个文件："), std::string::npos) << run.out;
        EXPECT_EQ(TempDir::read(out), "earlier");
    }
}

// A signal in the middle of a large write ends the program with that signal's
// status and leaves no temporary file behind.
TEST(TargetReplacement, aSignalMidWriteLeavesNoTemporary) {
    TempDir dir;
    std::string big;
    for (int i = 0; big.size() < (40u << 20); ++i)
        big += "P" + std::to_string(i) + ",TREE,2535789.123,506432.456,45.123\r\n";
    const std::string source = dir.write("big.txt", big);
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        const pid_t child = ::fork();
        if (child == 0) {
            ::execl(test::CliPath().c_str(), "veltramarlin-cli", "universal", source.c_str(),
                    dir.file("out.txt").c_str(), static_cast<char*>(nullptr));
            ::_exit(127);
        }
        bool writing = false;
        for (int wait = 0; wait < 20000 && !writing; ++wait) {
            for (const std::string& name : TempDir::list(dir.path()))
                writing = writing || name.rfind(".vm-", 0) == 0;
            if (!writing)
                ::usleep(500);
        }
        ::kill(child, signal);
        int status = 0;
        ::waitpid(child, &status, 0);
        if (!writing)
            continue;  // finished before it could be caught
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << signal << " " << status;
        for (const std::string& name : TempDir::list(dir.path()))
            EXPECT_EQ(name.rfind(".vm-", 0), std::string::npos) << name;
    }
}

// A download onto a full disk keeps the earlier file (a target that cannot be
// made: the journal's test, which names where the bytes are kept).
TEST(DownloadFaults, anOutputOnAFullDiskIsReportedAndTheEarlierOneKept) {
    TempDir dir;
    std::string sent;
    for (int i = 0; i < 400; ++i)
        sent += "PT" + std::to_string(i) + ",1000.125,2000.5,30.25\r\n";
    const std::string earlier = dir.write("earlier.txt", "earlier");
    FILE* sim = nullptr;
    const std::string device = test::StartSendingInstrument(dir.write("sent.txt", sent), sim);
    ASSERT_FALSE(device.empty());
    const CliRun run = RunCli(
        {"download", "--device", device, "--baud", "38400", "--raw", "--max-wait", "10", earlier},
        dir.path(), 4096);
    ::pclose(sim);
    ExpectReportedFailure(run, "download to " + earlier);
    EXPECT_NE(run.out.find(earlier), std::string::npos) << "the message names the file";
    EXPECT_EQ(TempDir::read(earlier), "earlier");
}

}  // namespace
}  // namespace vm
