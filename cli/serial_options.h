#pragma once
// The port and line options shared by 'download' and 'upload':
//   --port N | --device PATH, --baud B, --data-bits 7|8, --parity none|odd|even,
//   --stop-bits 1|1.5|2. Defaults are the stored settings (ComConfig of
//   ./ConfigFile.ini), else COM1 2400 8N1.

#include <string>
#include <vector>

#include "serial/transfer_start.h"

namespace vm::cli {

extern const char* const kSerialOptionsUsage;

// Takes the serial option at args[i] (and its value), advancing i. Returns
// true when args[i] was one; false with reason set when it was one but its
// value is bad; false with reason empty when it is no serial option.
bool TakeSerialOption(const std::vector<std::string>& args, size_t& i, PortChoice& choice,
                      std::string& reason);

// The stored settings, the starting point before the options.
PortChoice StoredPortChoice();

}  // namespace vm::cli
