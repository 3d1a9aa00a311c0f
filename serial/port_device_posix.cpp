#include "serial/port_device.h"

namespace vm {

std::string SystemPortDevice(int port) {
    return "/dev/ttyS" + std::to_string(static_cast<long long>(port) - 1);
}

}  // namespace vm
