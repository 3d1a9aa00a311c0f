#pragma once
// A source file's bytes, read once into one buffer straight from the file
// (no copy through a smaller buffer), for conversions that walk them in place.

#include <string>
#include <string_view>

#include "common/file_io.h"
#include "common/memory_pages.h"

namespace vm {

class SourceBytes {
public:
    // False (with error filled, when given) when the file cannot be opened or read.
    bool Open(const std::string& path, FileError* error = nullptr);

    // The file's bytes as they stand; the readers skip a UTF-8 byte-order mark.
    std::string_view View() const { return m_view; }

private:
    // The platform's part: reads a file with a size into m_buffer and m_view,
    // leaving m_buffer empty for a file to read the general way (one that grew
    // meanwhile, or has no size). False with an errno-style code on failure.
    bool ReadAtItsSize(const std::string& path, int& code);
    // Room for a file of size bytes and one more; false (code ENOMEM) without.
    bool MakeRoom(size_t room, int& code);
    // Keeps the done bytes read into the room, or none when the file filled
    // all of it (it grew meanwhile).
    void KeepRead(size_t done, size_t room);

    PageBuffer m_buffer;
    std::string m_grown;  // the bytes of a file that grew or has no size
    std::string_view m_view;
};

}  // namespace vm
