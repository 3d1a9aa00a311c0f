// The table of tracked temporaries is fixed and lock-free, so that a signal
// handler can walk it while another thread adds to it.
#include "common/temporary_files.h"

#include <atomic>
#include <cstring>
#include <mutex>
#include <set>

#include "common/file_io.h"
#include "common/temporary_files_platform.h"

namespace vm {
namespace {

enum SlotState { kFree, kFilling, kTracked };

struct Slot {
    std::atomic<int> state{kFree};
    char path[4096];
};

constexpr size_t kSlots = 32;
Slot g_slots[kSlots];

constexpr double kStaleSeconds = 24 * 60 * 60;

bool IsNameChar(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '-';
}

}  // namespace

void TrackTemporary(const std::string& path) {
    if (path.size() >= sizeof(Slot::path))
        return;
    for (Slot& slot : g_slots) {
        int expected = kFree;
        if (slot.state.compare_exchange_strong(expected, kFilling)) {
            std::memcpy(slot.path, path.c_str(), path.size() + 1);
            slot.state.store(kTracked);
            return;
        }
    }
}

void ForgetTemporary(const std::string& path) {
    for (Slot& slot : g_slots) {
        if (slot.state.load() == kTracked && path == slot.path) {
            slot.state.store(kFree);
            return;
        }
    }
}

void RemoveTrackedTemporaries() {
    for (Slot& slot : g_slots) {
        if (slot.state.load() == kTracked)
            platform::RemoveFileFromHandler(slot.path);
    }
}

// ".vm-XXXXXX" and ".vm-old-XXXXXX" here, ".vm-new-…" and ".vm-old-…" on Windows.
bool IsOwnTemporaryName(const std::string& name) {
    if (name.size() < 10 || name.size() > 64 || name.compare(0, 4, ".vm-") != 0)
        return false;
    for (size_t i = 4; i < name.size(); ++i) {
        if (!IsNameChar(name[i]))
            return false;
    }
    return true;
}

void RemoveStaleTemporaries(const std::string& folder) {
    static std::mutex mutex;
    static std::set<std::string> cleaned;
    {
        std::lock_guard<std::mutex> lock(mutex);
        if (!cleaned.insert(folder).second)
            return;
    }
    for (const std::string& name : NamesInFolder(folder)) {
        const std::string path = folder + "/" + name;
        double age = 0;
        if (IsOwnTemporaryName(name) && SecondsSinceWritten(path, age) && age > kStaleSeconds)
            RemoveFile(path);
    }
}

}  // namespace vm
