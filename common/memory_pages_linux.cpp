#include "common/memory_pages.h"

#include <sys/mman.h>

#include <cstdint>

namespace vm {

void PreferLargePages(void* data, size_t bytes) {
    constexpr uintptr_t kPage = 4096;
    constexpr size_t kWorthIt = 4 << 20;  // smaller tables fit the translation caches anyway
    if (bytes < kWorthIt)
        return;
    const uintptr_t begin = (reinterpret_cast<uintptr_t>(data) + kPage - 1) & ~(kPage - 1);
    const uintptr_t end = (reinterpret_cast<uintptr_t>(data) + bytes) & ~(kPage - 1);
    ::madvise(reinterpret_cast<void*>(begin), end - begin,
              MADV_HUGEPAGE);  // a hint: failure is harmless
}

// MAP_POPULATE puts every page in place in one call, instead of one fault
// for each page as the buffer is first written.
bool PageBuffer::Allocate(size_t bytes) {
    Release();
    void* data = ::mmap(nullptr, bytes, PROT_READ | PROT_WRITE,
                        MAP_PRIVATE | MAP_ANONYMOUS | MAP_POPULATE, -1, 0);
    if (data == MAP_FAILED)
        return false;
    m_data = static_cast<char*>(data);
    m_size = bytes;
    return true;
}

void PageBuffer::Release() {
    if (m_data)
        ::munmap(m_data, m_size);
    m_data = nullptr;
    m_size = 0;
}

}  // namespace vm
