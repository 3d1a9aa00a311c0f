#include <iostream>

#include "cli/cli_support.h"
#include "cli/commands.h"
#include "common/file_io.h"
#include "instrument/download_kind.h"

namespace vm::cli {

namespace {
constexpr char kUsage[] = "classify FILE";
}

int CmdClassify(const Args& args) {
    if (WantsHelp(args)) {
        std::cout << "usage: veltramarlin-cli " << kUsage << "\n"
                  << "Prints none, measurement or coordinate: the kind of a downloaded file,\n"
                     "told by the line after its first ATMOS line.\n";
        return kExitOk;
    }
    if (args.size() != 1)
        return UsageError(kUsage, "classify takes exactly one file");
    std::string bytes;
    FileError error;
    if (!ReadFileBytes(args[0], bytes, &error)) {
        PrintLines({error.message});
        return kExitFailure;
    }
    PrintLines({DownloadKindWord(ClassifyDownloadedBytes(bytes))});
    return kExitOk;
}

}  // namespace vm::cli
