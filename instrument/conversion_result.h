#pragma once
// What a conversion run reports back to the dialog or the command line.

#include <string>
#include <vector>

namespace vm {

struct ConversionResult {
    bool ok = false;                        // the run reported success
    std::string status;                     // the status box's new text (lines joined by "\r\n")
    std::vector<std::string> messages;      // message boxes (OK button), in the order shown
    bool messagesBeforeStatus = false;      // true when the boxes come before the status changes
    std::vector<std::string> filesWritten;  // targets written, in order
    std::string detail;  // the system's reason for a failed read or write, for logs and stderr
};

}  // namespace vm
