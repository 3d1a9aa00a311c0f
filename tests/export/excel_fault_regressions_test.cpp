// The Excel export to a delimited text file when the disk fills up: the file
// the user had must survive a failed export, and a successful one must still
// replace it rather than extend it. The export runs in a child process under a
// file-size limit, which makes every write past it fail as on a full disk.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

#include "export/excel_export.h"
#include "tests/support/temp_dir.h"

namespace vm {
namespace {

using test::TempDir;

// Runs the export in a child limited to limitBytes per file; true when it reported success.
bool ExportUnderLimit(const ExcelExportInput& input, long limitBytes) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{static_cast<rlim_t>(limitBytes), static_cast<rlim_t>(limitBytes)};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        ::_exit(ExportCoordinatesToExcel(input).ok ? 0 : 1);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

TEST(ExcelExportOnAFullDisk, aFailedTextExportKeepsTheEarlierFile) {
    TempDir dir;
    ExcelExportInput input;
    for (int i = 0; i < 3000; ++i)
        input.source += "P" + std::to_string(i) + ",2535789.123,506432.456,45.1,TREE\r\n";
    input.targetPath = dir.write("table.txt", "the earlier table");
    EXPECT_FALSE(ExportUnderLimit(input, 8 * 1024));
    EXPECT_EQ(TempDir::read(input.targetPath), "the earlier table");
    EXPECT_EQ(TempDir::list(dir.path()).size(), 1u) << "nothing set aside may be left behind";

    input.source = "P1,1,2,3,K\r\n";
    ASSERT_TRUE(ExportUnderLimit(input, 8 * 1024));
    const std::string table = TempDir::read(input.targetPath);
    EXPECT_EQ(table.find("the earlier table"), std::string::npos) << "replaced, not extended";
    EXPECT_NE(table.find("\"P1\""), std::string::npos);
    EXPECT_EQ(TempDir::list(dir.path()).size(), 1u);
}

}  // namespace
}  // namespace vm
