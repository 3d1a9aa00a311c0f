// veltramarlin-cli universal against the engine the dialog calls: the same bytes.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tests/support/cli_runner.h"
#include "tests/support/temp_dir.h"
#include "universal/universal_conversion.h"

namespace vm {
namespace {

using test::TempDir;

using test::CliRun;

// Runs veltramarlin-cli universal with args.
CliRun Universal(const std::vector<std::string>& args) {
    std::vector<std::string> all{"universal"};
    all.insert(all.end(), args.begin(), args.end());
    return test::RunCliCommand(all);
}

const char kSource[] =
    "12,K3,512.345,502.1,45.6\r\n\r\nP7,,1,2,3,9\r\n"
    "A@$$B\r\n";

TEST(UniversalCli, writesWhatTheEngineWritesForTheSameOptions) {
    TempDir dir;
    const std::string source = dir.write("in.txt", kSource);
    const CliRun cli =
        Universal({"--source-fields", "1,2,3,4,5,6", "--target-fields", "1,2,4,3,5,6",
                   "--attribute", "--numbering", "--start", "1", "--header-count", "--target-sep",
                   "space", "--add-x", "500000.123", "--mul-y", "2", source, dir.file("cli.txt")});
    EXPECT_EQ(cli.status, 0);
    EXPECT_EQ(cli.out, "转换成功\n");

    UniversalConversionRun run;
    run.layout.source = {0, 1, 2, 3, 4, 5};
    run.layout.target = {0, 1, 3, 2, 4, 5};
    run.layout.attributeEnabled = run.layout.numberingEnabled = true;
    run.startNumber = 1;
    run.headerCount = true;
    run.targetSeparator = ' ';
    run.addX = 500000.123;
    run.mulY = 2;
    run.sourcePath = source;
    run.targetPath = dir.file("engine.txt");
    ASSERT_TRUE(ConvertLayoutFile(run).success);
    EXPECT_EQ(TempDir::read(dir.file("cli.txt")), TempDir::read(dir.file("engine.txt")));
    EXPECT_EQ(
        TempDir::read(dir.file("cli.txt")).rfind("5\r\n12 K3 1004.200 500512.468 45.600 1\r\n", 0),
        0u);
}

TEST(UniversalCli, failuresExitOneWithTheMessageAndBadOptionsAreUsageErrors) {
    TempDir dir;
    const CliRun noSource = Universal({"", dir.file("out.txt")});
    EXPECT_EQ(noSource.status, 1);
    EXPECT_EQ(noSource.out, "选择要转换的文件!!!\n");

    const std::string source = dir.write("in.txt", "1\n");
    for (const std::vector<std::string>& bad :
         std::vector<std::vector<std::string>>{{source},
                                               {"--source-fields", "1,2,3,4,5,7", source, "o.txt"},
                                               {"--target-fields", "1,2,3", source, "o.txt"},
                                               {"--source-sep", "tab", source, "o.txt"},
                                               {"--add-x", "1,5", source, "o.txt"},
                                               {"--mul-z", "nan", source, "o.txt"},
                                               {"--start", "x", source, "o.txt"},
                                               {"--frobnicate", source, "o.txt"}}) {
        EXPECT_EQ(Universal(bad).status, 2) << bad[0];
    }
    EXPECT_EQ(Universal({"--help"}).status, 0);
}

}  // namespace
}  // namespace vm
