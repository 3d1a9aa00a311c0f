#pragma once
// Prints what a conversion run reported, as the dialog shows it, and turns it
// into the exit status.

#include <string>

#include "instrument/conversion_result.h"

namespace vm::cli {

// Status lines and message-box texts to stdout in the order the dialog shows
// them, the system's reason of a failure to stderr; returns 0 or 1.
int ReportConversion(const ConversionResult& result);

// Reads the number of "--layout N" (0-10); false with the reason when malformed.
bool ParseLayoutOption(const std::string& value, int& layout, std::string& reason);

}  // namespace vm::cli
