#include "common/large_pages.h"

namespace vm {

// Large pages on Windows need a privilege users do not have: nothing to ask.
void PreferLargePages(void*, size_t) {}

}  // namespace vm
