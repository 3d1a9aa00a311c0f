#include "cli/cli_support.h"

#include <cerrno>
#include <cstdlib>
#include <iostream>

namespace vm::cli {

int UsageError(const std::string& usage, const std::string& reason) {
    if (!reason.empty())
        std::cerr << "veltramarlin-cli: " << reason << "\n";
    std::cerr << "usage: veltramarlin-cli " << usage << "\n";
    return kExitUsage;
}

bool WantsHelp(const std::vector<std::string>& args) {
    for (const std::string& a : args) {
        if (a == "--help" || a == "-h")
            return true;
    }
    return false;
}

void PrintLines(const std::vector<std::string>& lines) {
    for (const std::string& line : lines)
        std::cout << line << "\n";
    std::cout.flush();
}

bool ParseInt(const std::string& text, long long& value) {
    if (text.empty())
        return false;
    char* end = nullptr;
    errno = 0;
    value = std::strtoll(text.c_str(), &end, 10);
    return errno == 0 && end && *end == '\0';
}

bool ParseDouble(const std::string& text, double& value) {
    if (text.empty())
        return false;
    char* end = nullptr;
    errno = 0;
    value = std::strtod(text.c_str(), &end);
    return errno == 0 && end && *end == '\0';
}

bool ParseIntList(const std::string& text, size_t count, std::vector<int>& values) {
    values.clear();
    size_t start = 0;
    while (start <= text.size()) {
        size_t comma = text.find(',', start);
        if (comma == std::string::npos)
            comma = text.size();
        long long v = 0;
        if (!ParseInt(text.substr(start, comma - start), v))
            return false;
        values.push_back(static_cast<int>(v));
        start = comma + 1;
    }
    return values.size() == count;
}

bool ParseFormatOption(const std::string& value, SourceFormat& format, std::string& reason) {
    if (ParseSourceFormat(value, format))
        return true;
    reason = "--format is auto, gsi8, gsi16, sdr, nikon-raw, job, rw5 or text";
    return false;
}

}  // namespace vm::cli
