#pragma once
// The benchmarks' download over a real link: the simulated instrument on a
// pseudo-terminal, the port opened at a baud rate and the download started, so
// a benchmark only sends the plan on its own thread and drives the ticks.
#include <cstdio>
#include <string>
#include <utility>

#include "serial/comm_tick.h"
#include "serial/serial_port.h"
#include "tools/sim_instrument.h"
#include "serial/transfer_start.h"

struct SimulatedLink {
    vm::sim::CPtyInstrument pty;
    vm::sim::SendPlan plan;  // bytes at the line's rate, 100 ms after the start
    vm::CSerialPort port;
    vm::CCommTicker ticker;

    // False (with the reason on stderr) when the simulator or the port cannot
    // be opened at baud.
    bool Start(int baud, std::string bytes, std::string& pane) {
        std::string error;
        if (!pty.Create(error)) {
            std::fprintf(stderr, "%s\n", error.c_str());
            return false;
        }
        plan.bytesPerSecond = baud / 10.0;
        plan.bytes = std::move(bytes);
        plan.startDelayMs = 100;
        vm::PortChoice choice;
        choice.settings = {1, baud, 0, 0, 8, 1};
        choice.devicePath = pty.DevicePath();
        return vm::StartDownload(port, choice, ticker, pane).started;
    }
};
