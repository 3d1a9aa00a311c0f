#pragma once
// What a conversion run reports back to the dialog or the command line.

#include <string>
#include <vector>

namespace vm {

// One output of a run: written with its count, or not created for want of records.
struct OutputReport {
    std::string name;
    std::string path;
    long long records = 0;
    bool points = true;  // points, else table rows
    bool written = false;
};

struct ConversionResult {
    bool ok = false;                        // the run reported success
    std::string status;                     // the status box's new text (lines joined by "\r\n")
    std::vector<std::string> messages;      // message boxes (OK button), in the order shown
    bool messagesBeforeStatus = false;      // true when the boxes come before the status changes
    std::vector<std::string> filesWritten;  // targets written, in order
    std::vector<OutputReport> outputs;      // every output of a completed run, in order
    std::string detail;  // the system's reason for a failed read or write, for logs and stderr
    std::vector<std::string> missingTargets;  // ticked outputs without a target, by name
};

}  // namespace vm
