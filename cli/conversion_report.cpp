#include "cli/conversion_report.h"

#include <algorithm>
#include <iostream>
#include <vector>

#include "cli/cli_support.h"
#include "instrument/target_layout.h"

namespace vm::cli {
namespace {

std::vector<std::string> SplitStatus(const std::string& status) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (;;) {
        const size_t end = status.find("\r\n", start);
        lines.push_back(status.substr(start, end - start));
        if (end == std::string::npos)
            break;
        start = end + 2;
    }
    return lines;
}

// The message boxes' texts, but for one that repeats a status line: the
// terminal shows both in one stream, so it would say the same thing twice.
std::vector<std::string> NewMessages(const ConversionResult& result,
                                     const std::vector<std::string>& status) {
    std::vector<std::string> lines;
    for (const std::string& message : result.messages) {
        if (std::find(status.begin(), status.end(), message) == status.end())
            lines.push_back(message);
    }
    return lines;
}

}  // namespace

int ReportConversion(const ConversionResult& result) {
    const std::vector<std::string> status = SplitStatus(result.status);
    const std::vector<std::string> messages = NewMessages(result, status);
    if (result.messagesBeforeStatus)
        PrintLines(messages);
    PrintLines(status);
    if (!result.messagesBeforeStatus)
        PrintLines(messages);
    if (!result.detail.empty())
        std::cerr << "veltramarlin-cli: " << result.detail << "\n";
    return result.ok ? kExitOk : kExitFailure;
}

bool ParseLayoutOption(const std::string& value, int& layout, std::string& reason) {
    long long n = 0;
    if (!ParseInt(value, n) || n < 0 || n >= kTargetLayoutCount) {
        reason = "--layout takes a layout number from 0 to 10";
        return false;
    }
    layout = static_cast<int>(n);
    return true;
}

}  // namespace vm::cli
