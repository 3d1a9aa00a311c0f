#pragma once
// Runs the built veltramarlin-cli as a separate process, as a script would.

#include <cstdio>
#include <string>
#include <vector>

namespace vm::test {

struct CliRun {
    int status = -1;  // exit status, -1 when the program did not exit normally
    std::string out;  // everything it printed on standard output
};

// Where and how the program runs.
struct CliPlace {
    std::string folder;  // current folder, holding the per-user folders ("" for as is)
    std::string prefix;  // a command to run it under (e.g. as another user)
    long fileSizeLimit =
        0;  // > 0: no file may grow past it; a write past it fails as on a full disk
};

// The path of the veltramarlin-cli built beside the tests.
std::string CliPath();

// Runs veltramarlin-cli with args; standard output captured, standard error dropped.
CliRun RunCliCommand(const std::vector<std::string>& args, const CliPlace& place = {});

// Starts the simulated instrument sending file at 38400 baud; returns its
// device path ("" when it did not start). It ends by itself once the file is
// sent; pclose(sim) waits for that.
std::string StartSendingInstrument(const std::string& file, FILE*& sim);

}  // namespace vm::test
