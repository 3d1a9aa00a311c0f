#include <csignal>
#include <unistd.h>

#include "common/temporary_files.h"
#include "common/temporary_files_platform.h"

namespace vm {
namespace platform {

void RemoveFileFromHandler(const char* path) {
    ::unlink(path);
}

}  // namespace platform

namespace {

// Removes the temporaries, then lets the signal end the program with its own
// status (what a shell reports as 128 + the signal's number).
void OnEndingSignal(int signal) {
    RemoveTrackedTemporaries();
    struct sigaction action {};
    action.sa_handler = SIG_DFL;
    ::sigemptyset(&action.sa_mask);
    ::sigaction(signal, &action, nullptr);
    ::raise(signal);
}

}  // namespace

void RemoveTemporariesOnSignals() {
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        struct sigaction previous {};
        ::sigaction(signal, nullptr, &previous);
        if (previous.sa_handler == SIG_IGN)
            continue;  // started to ignore it (nohup): keep ignoring it
        struct sigaction action {};
        action.sa_handler = OnEndingSignal;
        ::sigemptyset(&action.sa_mask);
        ::sigaction(signal, &action, nullptr);
    }
}

}  // namespace vm
