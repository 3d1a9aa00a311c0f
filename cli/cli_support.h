#pragma once
// Small helpers shared by the subcommands: usage errors and printing of the
// status and message texts, one per line, as the dialogs would show them.

#include <string>
#include <vector>

#include "instrument/source_format.h"

namespace vm::cli {

constexpr int kExitOk = 0;
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

// Prints "usage: veltramarlin-cli USAGE" and reason (if any) to stderr; returns kExitUsage.
int UsageError(const std::string& usage, const std::string& reason = std::string());

// True when args hold --help or -h.
bool WantsHelp(const std::vector<std::string>& args);

// Prints each line to stdout followed by a newline.
void PrintLines(const std::vector<std::string>& lines);

// Parses a whole decimal integer; false when text is not one.
bool ParseInt(const std::string& text, long long& value);

// Parses a whole decimal number (as the dialogs' number boxes take it); false when not one.
bool ParseDouble(const std::string& text, double& value);

// Splits "1,2,3" into integers; false unless there are exactly count whole numbers.
bool ParseIntList(const std::string& text, size_t count, std::vector<int>& values);

// The value of "--format": auto or a format's name; false with the reason otherwise.
bool ParseFormatOption(const std::string& value, SourceFormat& format, std::string& reason);

// What "--format" says in every usage text.
inline constexpr char kFormatHelp[] =
    "  --format NAME  the source's format: auto (default: recognised), gsi8, gsi16,\n"
    "                 sdr, nikon-raw, job, rw5 or text\n";

}  // namespace vm::cli
