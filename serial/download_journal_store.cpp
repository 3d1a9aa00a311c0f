// Reading the download journal: listing, restoring, marking seen, pruning.
#include <algorithm>
#include <cstdio>
#include <map>

#include "common/file_io.h"
#include "common/pane_text.h"
#include "serial/download_journal.h"

namespace vm {
namespace {

using Info = std::map<std::string, std::string>;

Info ParseInfo(const std::string& text) {
    Info info;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        const std::string line = text.substr(start, end - start);
        const size_t eq = line.find('=');
        if (eq != std::string::npos)
            info[line.substr(0, eq)] = line.substr(eq + 1);
        start = end + 1;
    }
    return info;
}

std::string SerializeInfo(const Info& info, const std::string& original) {
    // Keeps the recorder's order of keys; only values change.
    std::string text;
    Info rest = info;
    size_t start = 0;
    while (start < original.size()) {
        size_t end = original.find('\n', start);
        if (end == std::string::npos)
            end = original.size();
        const std::string line = original.substr(start, end - start);
        const std::string key = line.substr(0, line.find('='));
        if (auto it = rest.find(key); it != rest.end()) {
            text += key + "=" + it->second + "\n";
            rest.erase(it);
        }
        start = end + 1;
    }
    for (const auto& [key, value] : rest)
        text += key + "=" + value + "\n";
    return text;
}

unsigned long long FileSize(const std::string& path) {
    std::uint64_t size = 0;
    return IsRegularFile(path, &size) ? size : 0;
}

long long Number(const Info& info, const char* key) {
    const auto it = info.find(key);
    return it == info.end() ? 0 : std::atoll(it->second.c_str());
}

std::string Text(const Info& info, const char* key) {
    const auto it = info.find(key);
    return it == info.end() ? std::string() : it->second;
}

struct Listed {
    JournalEntry entry;
    long long startedMs = 0;
};

std::optional<Listed> ReadEntry(const std::string& dir, const std::string& id) {
    std::string text;
    if (!ReadFileBytes(dir + "/" + id + ".info", text))
        return std::nullopt;
    const Info info = ParseInfo(text);
    Listed listed;
    JournalEntry& e = listed.entry;
    e.id = id;
    e.startTime = Text(info, "start");
    e.device = Text(info, "device");
    e.settings = Text(info, "settings");
    e.dataPath = dir + "/" + id + ".raw";
    e.bytes = FileSize(e.dataPath);
    e.journalFailed = Text(info, "journal") == "failed";
    const std::string state = Text(info, "state");
    // A journal that could not keep every byte does not make the download
    // itself interrupted: complete says how the download ended.
    e.complete = state == "complete";
    e.damaged = state.empty() || info.count("started-ms") == 0 || !FileExists(e.dataPath);
    e.stopped = state == "stopped";
    e.receiving = state == "receiving" && ProcessIsRunning(Number(info, "pid"));
    e.seen = Text(info, "seen") == "1";
    e.lines = Number(info, "lines");
    if (state == "receiving" || e.lines <= 0) {
        // Cut short: the lines the data file really holds.
        std::string bytes;
        e.lines = ReadFileBytes(e.dataPath, bytes) ? CountPaneLines(JournalPaneText(bytes)) : 1;
    }
    listed.startedMs = Number(info, "started-ms");
    return listed;
}

}  // namespace

std::vector<JournalEntry> ListJournal(const std::string& dir) {
    std::vector<Listed> found;
    const std::string suffix = ".info";
    for (const std::string& name : NamesInFolder(dir)) {
        if (name.size() <= suffix.size() ||
            name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0)
            continue;
        if (auto listed = ReadEntry(dir, name.substr(0, name.size() - suffix.size())))
            found.push_back(std::move(*listed));
    }
    // Newest last by start; damaged entries, whose start cannot be trusted, after all others.
    std::sort(found.begin(), found.end(), [](const Listed& a, const Listed& b) {
        if (a.entry.damaged != b.entry.damaged)
            return b.entry.damaged;
        if (a.entry.damaged)
            return a.entry.id < b.entry.id;
        return a.startedMs != b.startedMs ? a.startedMs < b.startedMs : a.entry.id < b.entry.id;
    });
    std::vector<JournalEntry> entries;
    for (Listed& listed : found)
        entries.push_back(std::move(listed.entry));
    return entries;
}

std::optional<JournalEntry> FindJournalEntry(const std::string& id, const std::string& dir) {
    // An id is a plain name inside the folder, never a path.
    if (id.empty() || id.find_first_of("/\\") != std::string::npos || id[0] == '.')
        return std::nullopt;
    if (auto listed = ReadEntry(dir, id))
        return listed->entry;
    return std::nullopt;
}

bool ReadJournalBytes(const JournalEntry& entry, std::string& bytes, std::string& message) {
    FileError error;
    if (ReadFileBytes(entry.dataPath, bytes, &error))
        return true;
    message = error.message;
    return false;
}

void MarkJournalSeen(const std::vector<std::string>& ids, const std::string& dir) {
    for (const std::string& id : ids) {
        const std::string path = dir + "/" + id + ".info";
        std::string text;
        if (!ReadFileBytes(path, text))
            continue;
        Info info = ParseInfo(text);
        if (info["seen"] == "1")
            continue;
        info["seen"] = "1";
        WriteFileAtomic(path, SerializeInfo(info, text), nullptr, FileMode::OwnerOnly);
    }
}

void PruneJournal(std::size_t keep, const std::string& dir) {
    std::vector<JournalEntry> entries = ListJournal(dir);
    std::size_t count = entries.size();
    for (const JournalEntry& e : entries) {
        if (count <= keep)
            break;
        if (!e.seen || e.receiving)
            continue;
        RemoveFile(e.dataPath);
        RemoveFile(dir + "/" + e.id + ".info");
        --count;
    }
}

std::optional<JournalEntry> UnseenInterruptedDownload(const std::string& dir) {
    const std::vector<JournalEntry> entries = ListJournal(dir);
    for (auto it = entries.rbegin(); it != entries.rend(); ++it) {
        if (!it->complete && !it->receiving && !it->seen && !it->damaged && it->bytes > 0)
            return *it;
    }
    return std::nullopt;
}

}  // namespace vm
