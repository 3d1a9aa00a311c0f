#pragma once
// Which device file stands for port number n on this system: the text of key
// "Device<n>" in section "ComConfig" when the settings name one (for USB
// adapters and pseudo-terminals), else the n-th built-in UART, /dev/ttyS<n-1>.

#include <string>

namespace vm {

std::string PortDevicePath(const std::string& iniPath, int port);

}  // namespace vm
