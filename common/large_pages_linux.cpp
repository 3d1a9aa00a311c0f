#include "common/large_pages.h"

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

}  // namespace vm
