#include "serial/port_device.h"

namespace vm {

// The device namespace form works for every port number; the plain "COM10"
// and above would not open.
std::string SystemPortDevice(int port) {
    return "\\\\.\\COM" + std::to_string(port);
}

}  // namespace vm
