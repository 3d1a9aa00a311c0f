// The command line's download journal: a download killed midway is listed as
// interrupted and restores byte for byte; an output that cannot be written
// names the journal file that holds the bytes.
#include <gtest/gtest.h>

#include <cstdlib>
#include <iterator>
#include <sstream>

#include "tools/sim_instrument.h"
#include "tests/support/cli_runner.h"
#include "tests/support/killed_download.h"
#include "tests/support/temp_dir.h"

namespace vm {
namespace {

class DownloadJournalCli : public ::testing::Test {
protected:
    void SetUp() override {
        ::setenv("XDG_DATA_HOME", dir.file("data").c_str(), 1);
        std::string error;
        ASSERT_TRUE(pty.Create(error)) << error;
    }
    void TearDown() override { ::unsetenv("XDG_DATA_HOME"); }

    // The "ID  START  DEVICE  BYTES  STATE" lines of `downloads`.
    std::vector<std::vector<std::string>> Listed() {
        const test::CliRun run = test::RunCliCommand({"downloads"});
        EXPECT_EQ(run.status, 0);
        std::vector<std::vector<std::string>> rows;
        std::istringstream lines(run.out);
        for (std::string line; std::getline(lines, line);) {
            std::istringstream words(line);
            rows.emplace_back(std::istream_iterator<std::string>(words),
                              std::istream_iterator<std::string>());
        }
        return rows;
    }

    test::TempDir dir;
    sim::CPtyInstrument pty;
};

TEST_F(DownloadJournalCli, aKilledDownloadIsListedAsInterruptedAndRestoresByteForByte) {
    const test::KilledDownload killed =
        test::KillDuringDownload(pty,
                                 {test::CliPath(), "download", "--device", pty.DevicePath(),
                                  "--baud", "38400", "--raw", dir.file("never.txt")},
                                 {}, 2000);
    ASSERT_EQ(killed.error, "");
    const auto rows = Listed();
    ASSERT_EQ(rows.size(), 1u);
    ASSERT_EQ(rows[0].size(), 5u);
    EXPECT_EQ(rows[0][2], pty.DevicePath());
    EXPECT_EQ(rows[0][4], "interrupted");
    const std::string restored = dir.file("restored.txt");
    EXPECT_EQ(test::RunCliCommand({"downloads", "--restore", rows[0][0], restored}).status, 0);
    const std::string bytes = test::TempDir::read(restored);
    EXPECT_EQ(std::to_string(bytes.size()), rows[0][3]);
    EXPECT_GE(bytes.size(), killed.sentBeforeLastTick);
    EXPECT_GT(killed.sentBeforeLastTick, 0u);
    EXPECT_EQ(bytes, killed.sent.substr(0, bytes.size())) << "nothing that did not arrive";
    EXPECT_EQ(test::RunCliCommand({"downloads", "--restore", "no-such-id", restored}).status, 1);
}

TEST_F(DownloadJournalCli, anOutputThatCannotBeWrittenSaysWhereTheBytesAreKept) {
    const std::string sent = "PT1,1.000,2.000,3.000\r\nPT2,4.000,5.000,6.000\r\n";
    const std::string file = dir.write("sent.txt", sent);
    FILE* sim = nullptr;
    const std::string device = test::StartSendingInstrument(file, sim);
    ASSERT_FALSE(device.empty());
    const test::CliRun run =
        test::RunCliCommand({"download", "--device", device, "--baud", "38400", "--end-silence",
                             "900", "--max-wait", "10", dir.file("no/such/folder/out.txt")});
    ::pclose(sim);
    EXPECT_EQ(run.status, 1);
    const auto rows = Listed();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0][4], "complete");
    const std::string kept = dir.file("data") + "/VeltraMarlin/downloads/" + rows[0][0] + ".raw";
    EXPECT_NE(run.out.find("保存在 " + kept), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("下载结束，共收到 " + std::to_string(sent.size()) + " 字节"),
              std::string::npos)
        << run.out;
    EXPECT_EQ(test::TempDir::read(kept), sent);
}

}  // namespace
}  // namespace vm
