#pragma once
// Port locks shared with the other serial programs of the machine (terminal
// programs, modem tools): a lock file "LCK..<name>" in /run/lock (and /var/lock)
// holding the owner's process id as ten characters and a newline. A lock whose
// process is gone is stale and removed; a live one refuses the port. A folder
// where the user may not write locks does not stop the port from opening: the
// device's own exclusive mode still keeps a second program out.

#include <string>
#include <vector>

namespace vm {

struct PortHolder {
    long pid = 0;      // 0 when unknown
    std::string name;  // the process's command name, when known
};

class CPortLock {
public:
    CPortLock() = default;
    ~CPortLock() { Release(); }
    CPortLock(const CPortLock&) = delete;
    CPortLock& operator=(const CPortLock&) = delete;

    // Takes the lock for device (links are followed to the device itself).
    // False when a live process holds it; holder then names it.
    bool Take(const std::string& device, PortHolder& holder);
    // Removes our lock file, if we wrote one.
    void Release();
    const std::string& LockFile() const { return m_path; }

private:
    std::string m_path;
};

// The folders searched for lock files; the first writable one receives ours.
std::vector<std::string> PortLockFolders();
// For tests: other folders instead of /run/lock and /var/lock (empty: back to those).
void SetPortLockFolders(const std::vector<std::string>& folders);

// The lock file's name for device: "LCK..ttyUSB0", "LCK..pts_3".
std::string PortLockName(const std::string& device);

// A process that has device open, when the system lets us see it (pid 0 when not).
PortHolder FindDeviceHolder(const std::string& device);

}  // namespace vm
