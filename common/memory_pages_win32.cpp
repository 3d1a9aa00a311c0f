#include "common/memory_pages.h"

#include <windows.h>

namespace vm {

// Large pages on Windows need a privilege users do not have: nothing to ask.
void PreferLargePages(void*, size_t) {}

bool PageBuffer::Allocate(size_t bytes) {
    Release();
    m_data = static_cast<char*>(
        ::VirtualAlloc(nullptr, bytes, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
    m_size = m_data ? bytes : 0;
    return m_data != nullptr;
}

void PageBuffer::Release() {
    if (m_data)
        ::VirtualFree(m_data, 0, MEM_RELEASE);
    m_data = nullptr;
    m_size = 0;
}

}  // namespace vm
