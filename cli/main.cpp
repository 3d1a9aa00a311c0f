// veltramarlin-cli: the program's core operations for scripts and batch jobs.
#include <clocale>
#include <cstring>
#include <iostream>

#include "cli/commands.h"
#include "common/program_version.h"
#include "common/console.h"
#include "common/temporary_files.h"

namespace {

struct Subcommand {
    const char* name;
    int (*run)(const vm::cli::Args&);
    const char* summary;
};

const Subcommand kSubcommands[] = {
    {"classify", vm::cli::CmdClassify,
     "tell whether a downloaded file is a measurement or coordinate file"},
    {"coord", vm::cli::CmdCoord, "convert an instrument coordinate file into a target layout"},
    {"meas", vm::cli::CmdMeas, "convert an instrument measurement file"},
    {"universal", vm::cli::CmdUniversal, "convert a coordinate file between user-defined layouts"},
    {"table", vm::cli::CmdTable, "lay out a coordinate file as a printable table"},
    {"excel", vm::cli::CmdExcel, "save a coordinate file as an Excel workbook"},
    {"dxf", vm::cli::CmdDxf, "save coordinates or measurements as a DXF drawing"},
    {"download", vm::cli::CmdDownload, "receive a file from the instrument"},
    {"upload", vm::cli::CmdUpload, "send a coordinate file to the instrument"},
    {"ports", vm::cli::CmdPorts, "list the serial devices of this machine"},
    {"downloads", vm::cli::CmdDownloads, "list the download journal, or restore a download"},
};

void PrintHelp(std::ostream& out) {
    out << "usage: veltramarlin-cli SUBCOMMAND [options] ...\n\n"
           "VeltraMarlin's conversions, exports and serial transfers for scripts.\n"
           "Run 'veltramarlin-cli SUBCOMMAND --help' for a subcommand's options,\n"
           "'veltramarlin-cli --version' for the version.\n\n"
           "subcommands:\n";
    for (const Subcommand& s : kSubcommands) {
        out << "  " << s.name << std::string(12 - std::strlen(s.name), ' ') << s.summary << "\n";
    }
}

}  // namespace

int main(int argc, char** argv) {
    std::setlocale(LC_ALL, "C");
    if (vm::PrintVersionIfAsked(argc, argv, "veltramarlin-cli"))
        return 0;
    vm::PrepareConsoleOutput();
    vm::RemoveTemporariesOnSignals();
    const std::vector<std::string> args = vm::CommandLineArguments(argc, argv);
    if (args.empty()) {
        PrintHelp(std::cerr);
        return 2;
    }
    const std::string& name = args[0];
    if (name == "--help" || name == "-h" || name == "help") {
        PrintHelp(std::cout);
        return 0;
    }
    for (const Subcommand& s : kSubcommands) {
        if (name == s.name)
            return s.run(vm::cli::Args(args.begin() + 1, args.end()));
    }
    std::cerr << "veltramarlin-cli: unknown subcommand '" << name << "'\n";
    PrintHelp(std::cerr);
    return 2;
}
