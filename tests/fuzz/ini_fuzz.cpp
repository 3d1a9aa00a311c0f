// Any bytes as an INI file: look-ups and writes must neither crash nor lose the
// other lines of the file.
#include <cstddef>
#include <cstdint>
#include <string>

#include "common/ini_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::string value;
    vm::IniLookup(text, "ComConfig", "Baud", value);
    const std::string written = vm::IniWithValue(text, "ComConfig", "Baud", "4");
    if (!vm::IniLookup(written, "comconfig", "BAUD", value) || value != "4") __builtin_trap();
    return 0;
}
