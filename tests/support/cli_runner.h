#pragma once
// Runs the built veltramarlin-cli as a separate process, as a script would.

#include <string>
#include <vector>

namespace vm::test {

struct CliRun {
    int status = -1;  // exit status, -1 when the program did not exit normally
    std::string out;  // everything it printed on standard output
};

// The path of the veltramarlin-cli built beside the tests.
std::string CliPath();

// Runs veltramarlin-cli with args; standard output captured, standard error dropped.
CliRun RunCliCommand(const std::vector<std::string>& args);

}  // namespace vm::test
