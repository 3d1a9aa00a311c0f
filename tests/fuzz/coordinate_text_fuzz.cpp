// Any bytes as a file of this format (see other_makers_fuzz.h).
#include "tests/fuzz/other_makers_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    return vm::fuzz::FuzzReader(vm::SourceFormat::Text, data, size);
}
