#include "tests/support/killed_download.h"

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

extern char** environ;

namespace vm::test {
namespace {

using Clock = std::chrono::steady_clock;

// A loaded machine may run a 300 ms tick late; this much is allowed on top.
constexpr int kTickMs = 300;
constexpr int kSlackMs = 200;

std::string Line(int n) {
    // Bytes above 0x7F ("坐标" in GBK) throughout, as instruments send names.
    return "PT" + std::to_string(n) + ",\xD7\xF8\xB1\xEA,1000.125,2000.500,30.250\r\n";
}

}  // namespace

KilledDownload KillDuringDownload(sim::CPtyInstrument& pty, const std::vector<std::string>& argv,
                                  const std::vector<std::string>& env, int sendMs) {
    KilledDownload result;
    std::vector<std::string> envText;
    for (char** e = environ; *e; ++e)
        envText.emplace_back(*e);
    envText.insert(envText.end(), env.begin(), env.end());
    std::vector<char*> envp, args;
    for (std::string& e : envText)
        envp.push_back(e.data());
    envp.push_back(nullptr);
    std::vector<std::string> argText = argv;
    for (std::string& a : argText)
        args.push_back(a.data());
    args.push_back(nullptr);
    pid_t pid = 0;
    if (::posix_spawn(&pid, args[0], nullptr, nullptr, args.data(), envp.data()) != 0) {
        result.error = "cannot start " + argv[0];
        return result;
    }
    if (!pty.WaitForProgram(20000)) {
        ::kill(pid, SIGKILL);
        ::waitpid(pid, nullptr, 0);
        result.error = "the program never opened the device";
        return result;
    }
    // The program discards what waited before its start; give it that moment.
    std::this_thread::sleep_for(std::chrono::milliseconds(400));
    std::vector<std::pair<Clock::time_point, size_t>> log;
    const auto start = Clock::now();
    for (int n = 0; Clock::now() - start < std::chrono::milliseconds(sendMs); ++n) {
        const std::string line = Line(n);
        if (::write(pty.MasterFd(), line.data(), line.size()) != ssize_t(line.size()))
            break;
        result.sent += line;
        log.emplace_back(Clock::now(), result.sent.size());
        std::this_thread::sleep_for(std::chrono::milliseconds(12));  // about 3840 bytes a second
    }
    const auto killedAt = Clock::now();
    ::kill(pid, SIGKILL);
    int status = 0;
    ::waitpid(pid, &status, 0);
    if (!WIFSIGNALED(status) || WTERMSIG(status) != SIGKILL)
        result.error = "the program ended before it was killed";
    const auto cut = killedAt - std::chrono::milliseconds(kTickMs + kSlackMs);
    for (const auto& [when, total] : log) {
        if (when <= cut)
            result.sentBeforeLastTick = total;
    }
    return result;
}

}  // namespace vm::test
