#pragma once
// A hint for large tables read at random places (a hash table of millions of
// entries): backed by the system's large memory pages, such a table costs far
// fewer address translations. The hint must come before the memory is first
// written; where the system offers nothing of the kind it does nothing.

#include <cstddef>

namespace vm {

void PreferLargePages(void* data, size_t bytes);

}  // namespace vm
