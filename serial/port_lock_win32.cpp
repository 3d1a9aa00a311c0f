// Windows opens a serial port for one program at a time and tells no one which
// program holds it, so there are no lock files to take or read here: the
// exclusive open alone keeps a second program out.
#include "serial/port_lock.h"

namespace vm {

bool CPortLock::Take(const std::string& /*device*/, PortHolder& /*holder*/) {
    return true;
}

void CPortLock::Release() {}

std::vector<std::string> PortLockFolders() {
    return {};
}

void SetPortLockFolders(const std::vector<std::string>& /*folders*/) {}

std::string PortLockName(const std::string& device) {
    const size_t cut = device.find_last_of("\\/");
    return "LCK.." + (cut == std::string::npos ? device : device.substr(cut + 1));
}

PortHolder FindDeviceHolder(const std::string& /*device*/) {
    return {};
}

}  // namespace vm
