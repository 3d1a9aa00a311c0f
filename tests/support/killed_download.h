#pragma once
// A program killed with SIGKILL in the middle of a download: the simulated
// instrument feeds its pseudo-terminal at a steady rate, noting when each
// byte went out, and the program is killed after a while. What the program
// must have kept is everything sent up to one tick before the kill.

#include <string>
#include <vector>

#include "tools/sim_instrument.h"

namespace vm::test {

struct KilledDownload {
    std::string sent;               // every byte the instrument sent
    size_t sentBeforeLastTick = 0;  // how many of them went out a tick (plus slack) before the kill
    std::string error;  // empty when the program started, took the device and was killed
};

// Starts argv with extra "NAME=VALUE" environment entries, waits until it has
// the device open, sends for sendMs at 3840 bytes a second (38400 baud), then
// kills it with SIGKILL and reaps it.
KilledDownload KillDuringDownload(sim::CPtyInstrument& pty, const std::vector<std::string>& argv,
                                  const std::vector<std::string>& env, int sendMs);

}  // namespace vm::test
