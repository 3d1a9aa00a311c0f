#include <iostream>

#include "cli/cli_support.h"
#include "cli/commands.h"
#include "common/file_io.h"
#include "instrument/source_format.h"

namespace vm::cli {

namespace {
constexpr char kUsage[] = "classify FILE";
}

int CmdClassify(const Args& args) {
    if (WantsHelp(args)) {
        std::cout << "usage: veltramarlin-cli " << kUsage << "\n"
                  << "Prints measurement or coordinate for the instrument's own files (told by\n"
                     "the line after the first ATMOS line), else the other maker's format it\n"
                     "recognises: gsi8, gsi16, sdr, nikon-raw, job, rw5 or text; none when it\n"
                     "recognises nothing.\n";
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
    PrintLines({ClassifyWord(bytes)});
    return kExitOk;
}

}  // namespace vm::cli
