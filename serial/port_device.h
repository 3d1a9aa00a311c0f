#pragma once
// Which device file stands for port number n on this system: the text of key
// "Device<n>" in section "ComConfig" when the settings name one (for USB
// adapters and pseudo-terminals), else the system's own name for port n:
// /dev/ttyS<n-1> on Linux, \\.\COM<n> on Windows.

#include <string>

namespace vm {

std::string PortDevicePath(const std::string& iniPath, int port);

// The system's own name for port n (one source per system).
std::string SystemPortDevice(int port);

}  // namespace vm
