#pragma once
// Memory taken from the system by pages, for the large tables and buffers of
// the conversions, where the cost of the pages themselves shows.

#include <cstddef>

namespace vm {

// A hint for large tables read at random places (a hash table of millions of
// entries): backed by the system's large memory pages, such a table costs far
// fewer address translations. The hint must come before the memory is first
// written; where the system offers nothing of the kind it does nothing.
void PreferLargePages(void* data, size_t bytes);

// A buffer whose pages are all in place when it is made, so that filling it
// (a whole source file read into it) costs no page fault per page.
class PageBuffer {
public:
    PageBuffer() = default;
    ~PageBuffer() { Release(); }
    PageBuffer(const PageBuffer&) = delete;
    PageBuffer& operator=(const PageBuffer&) = delete;

    // Makes a buffer of bytes in place of the present one; false when the
    // system has no room.
    bool Allocate(size_t bytes);
    void Release();

    char* Data() const { return m_data; }
    bool Empty() const { return m_data == nullptr; }

private:
    char* m_data = nullptr;
    size_t m_size = 0;
};

}  // namespace vm
