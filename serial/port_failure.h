#pragma once
// Why a port could not be opened, and how the user is told. The status line and
// the message box keep their usual texts and add the device and the reason, so
// a surveyor in the field knows whether to plug in the cable, join the dialout
// group or close the other program.

#include <cstdint>
#include <string>

namespace vm {

enum class PortFailure {
    None,
    NotFound,          // no such device, a dangling link, or a device that went away
    PermissionDenied,  // the user may not open it (not in the dialout group)
    InUse,             // another program holds it
    NotSerial,         // a file or device that is no serial port
    SettingRefused,    // the device cannot take the chosen line parameters
    Other,             // any other system error (see error)
};

struct PortOpenFailure {
    PortFailure kind = PortFailure::None;
    int error = 0;           // the system's error number, when there is one
    std::string device;      // the device path the port stands for
    long holderPid = 0;      // InUse: the holding process, when known
    std::string holderName;  // its command name, when known
    int32_t baud = 0;        // SettingRefused: the rate the device did not take (0: framing)
};

// The kind for an error number of a failed open or lock.
PortFailure PortFailureFromError(int error);

// The reason in the user's words, e.g. "设备正被其它程序占用（进程 812 minicom）".
std::string PortFailureReason(const PortOpenFailure& failure);

}  // namespace vm
