#pragma once
// Scratch files for the fuzz targets whose entry point takes a path: one name
// per process and purpose, in memory-backed /dev/shm when there is one.

#include <unistd.h>

#include <cstdio>
#include <set>
#include <string>

namespace vm::fuzz {

// Removes the scratch files (and a writer's ".bak" beside them) when the
// fuzzer exits, so that runs leave nothing behind in /dev/shm.
class ScratchFiles {
public:
    ~ScratchFiles() {
        for (const std::string& path : m_paths) {
            std::remove(path.c_str());
            std::remove((path + ".bak").c_str());
        }
    }
    void Add(const std::string& path) { m_paths.insert(path); }

private:
    std::set<std::string> m_paths;
};

inline std::string ScratchPath(const std::string& purpose) {
    static ScratchFiles files;
    const char* dir = ::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    std::string path = std::string(dir) + "/vm-fuzz-" + std::to_string(::getpid()) + "-" + purpose;
    files.Add(path);
    return path;
}

inline bool WriteScratch(const std::string& path, const std::string& bytes) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return false;
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

inline std::string ReadScratch(const std::string& path) {
    std::string bytes;
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return bytes;
    char block[4096];
    size_t n;
    while ((n = std::fread(block, 1, sizeof block, f)) > 0)
        bytes.append(block, n);
    std::fclose(f);
    return bytes;
}

}  // namespace vm::fuzz
