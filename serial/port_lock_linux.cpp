#include "serial/port_lock.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <mutex>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vm {
namespace {

std::mutex g_foldersMutex;
std::vector<std::string> g_folders;

std::string RealPath(const std::string& path) {
    char resolved[PATH_MAX];
    return ::realpath(path.c_str(), resolved) ? std::string(resolved) : path;
}

std::string ReadSmallFile(const std::string& path) {
    std::string text;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0)
        return text;
    char buffer[64];
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n > 0)
        text.assign(buffer, static_cast<size_t>(n));
    ::close(fd);
    return text;
}

// The process id in a lock file: ten characters of text, or (from old tools)
// the binary integer itself.
long LockPid(const std::string& text) {
    const char* p = text.c_str();
    while (*p == ' ')
        ++p;
    char* end = nullptr;
    const long pid = std::strtol(p, &end, 10);
    if (end != p)
        return pid;
    if (text.size() == sizeof(int)) {
        int binary = 0;
        text.copy(reinterpret_cast<char*>(&binary), sizeof binary);
        return binary;
    }
    return 0;
}

bool ProcessAlive(long pid) {
    return pid > 0 && (::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM);
}

std::string ProcessName(long pid) {
    std::string name = ReadSmallFile("/proc/" + std::to_string(pid) + "/comm");
    while (!name.empty() && (name.back() == '\n' || name.back() == '\r'))
        name.pop_back();
    return name;
}

// The live holder of an existing lock file; a stale or unreadable one is removed.
bool LiveLock(const std::string& path, PortHolder& holder) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0)
        return false;
    const long pid = LockPid(ReadSmallFile(path));
    if (ProcessAlive(pid)) {
        holder = {pid, ProcessName(pid)};
        return true;
    }
    ::unlink(path.c_str());
    return false;
}

// Writes our lock in folder under name in one step (a whole file linked into
// place). 1 written, 0 taken by someone else meanwhile, -1 folder not writable.
int WriteLock(const std::string& folder, const std::string& path) {
    const std::string temp = folder + "/LTMP." + std::to_string(::getpid());
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return -1;
    char text[16];
    const int length = std::snprintf(text, sizeof text, "%10ld\n", static_cast<long>(::getpid()));
    const bool written = ::write(fd, text, static_cast<size_t>(length)) == length;
    ::fchmod(fd, 0644);  // readable by every tool, whatever the umask
    ::close(fd);
    const int linked = written ? ::link(temp.c_str(), path.c_str()) : -1;
    const int linkError = errno;
    ::unlink(temp.c_str());
    if (linked == 0)
        return 1;
    return written && linkError == EEXIST ? 0 : -1;
}

}  // namespace

std::vector<std::string> PortLockFolders() {
    std::lock_guard<std::mutex> lock(g_foldersMutex);
    if (!g_folders.empty())
        return g_folders;
    return {"/run/lock", "/var/lock"};
}

void SetPortLockFolders(const std::vector<std::string>& folders) {
    std::lock_guard<std::mutex> lock(g_foldersMutex);
    g_folders = folders;
}

std::string PortLockName(const std::string& device) {
    std::string name = RealPath(device);
    if (name.rfind("/dev/", 0) == 0)
        name.erase(0, 5);
    else if (const size_t slash = name.rfind('/'); slash != std::string::npos)
        name.erase(0, slash + 1);
    for (char& c : name) {
        if (c == '/')
            c = '_';
    }
    return "LCK.." + name;
}

bool CPortLock::Take(const std::string& device, PortHolder& holder) {
    Release();
    const std::string name = PortLockName(device);
    std::vector<std::string> folders;
    for (const std::string& folder : PortLockFolders()) {
        const std::string real = RealPath(folder);
        bool seen = false;
        for (const std::string& f : folders)
            seen = seen || f == real;
        if (!seen)
            folders.push_back(real);
    }
    for (const std::string& folder : folders) {
        if (LiveLock(folder + "/" + name, holder))
            return false;
    }
    for (const std::string& folder : folders) {
        const std::string path = folder + "/" + name;
        for (int attempt = 0; attempt < 2; ++attempt) {
            const int written = WriteLock(folder, path);
            if (written == 1) {
                m_path = path;
                return true;
            }
            if (written < 0)
                break;  // try the next folder
            if (LiveLock(path, holder))
                return false;
        }
    }
    return true;  // no folder takes locks: the device's exclusive mode must do
}

void CPortLock::Release() {
    if (m_path.empty())
        return;
    if (LockPid(ReadSmallFile(m_path)) == ::getpid())
        ::unlink(m_path.c_str());
    m_path.clear();
}

PortHolder FindDeviceHolder(const std::string& device) {
    const std::string target = RealPath(device);
    DIR* proc = ::opendir("/proc");
    if (!proc)
        return {};
    PortHolder holder;
    while (const dirent* entry = ::readdir(proc)) {
        char* end = nullptr;
        const long pid = std::strtol(entry->d_name, &end, 10);
        if (pid <= 0 || *end != '\0')
            continue;
        const std::string fds = std::string("/proc/") + entry->d_name + "/fd";
        DIR* dir = ::opendir(fds.c_str());
        if (!dir)
            continue;
        while (const dirent* fd = ::readdir(dir)) {
            char link[PATH_MAX];
            const ssize_t n = ::readlink((fds + "/" + fd->d_name).c_str(), link, sizeof link - 1);
            if (n > 0 && target == std::string(link, static_cast<size_t>(n))) {
                holder = {pid, ProcessName(pid)};
                break;
            }
        }
        ::closedir(dir);
        if (holder.pid != 0)
            break;
    }
    ::closedir(proc);
    return holder;
}

}  // namespace vm
