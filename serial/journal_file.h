#pragma once
// The download journal's file operations that differ between platforms: an
// append-only data file whose every append is on the disk before it returns,
// and whether the process that wrote a journal entry is still running.

#include <cstddef>
#include <string>

namespace vm {

class CJournalFile {
public:
    CJournalFile() = default;
    ~CJournalFile();
    CJournalFile(const CJournalFile&) = delete;
    CJournalFile& operator=(const CJournalFile&) = delete;

    // Creates path (owner-only); fails when it exists. errno-style code on failure.
    bool Create(const std::string& path, int& error);
    // Writes every byte and flushes the file's data to the disk. On failure
    // part of the bytes may be in the file; written tells how many.
    bool Append(const char* data, std::size_t size, std::size_t& written, int& error);
    void Close();
    bool IsOpen() const { return m_handle >= 0; }

private:
    long long m_handle = -1;
};

long long CurrentProcessId();
bool ProcessIsRunning(long long pid);

}  // namespace vm
