#pragma once
// Scratch files for the fuzz targets whose entry point takes a path: one name
// per process and purpose, in memory-backed /dev/shm when there is one.

#include <unistd.h>

#include <cstdio>
#include <string>

namespace vm::fuzz {

inline std::string ScratchPath(const std::string& purpose) {
    const char* dir = ::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    return std::string(dir) + "/vm-fuzz-" + std::to_string(::getpid()) + "-" + purpose;
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
