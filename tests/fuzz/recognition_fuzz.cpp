// Any bytes through recognition: a format or none, never a crash; whatever it
// recognises, the instrument's own classification is kept, and the status a
// source shows can be made.
#include <cstddef>
#include <cstdint>
#include <string>

#include "instrument/download_kind.h"
#include "instrument/other_makers_source.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::string word = vm::ClassifyWord(bytes);
    const vm::DownloadKind kind = vm::ClassifyDownloadedBytes(bytes);
    if (kind != vm::DownloadKind::None && word != vm::DownloadKindWord(kind))
        __builtin_trap();
    if (vm::DescribeSource(bytes, vm::SourceFormat::Auto).empty())
        __builtin_trap();
    return 0;
}
