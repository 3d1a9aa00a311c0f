#include "tests/support/cli_runner.h"

#include <sys/wait.h>

#include <cstdio>

namespace vm::test {
namespace {

std::string ShellQuote(const std::string& word) {
    std::string quoted = "'";
    for (char c : word)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

}  // namespace

std::string CliPath() {
    return std::string(VM_BINARY_DIR) + "/cli/veltramarlin-cli";
}

CliRun RunCliCommand(const std::vector<std::string>& args) {
    std::string command = ShellQuote(CliPath());
    for (const std::string& a : args)
        command += " " + ShellQuote(a);
    command += " 2>/dev/null";
    CliRun run;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe)
        return run;
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        run.out.append(buffer, n);
    const int status = ::pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

}  // namespace vm::test
