#pragma once
// The universal conversion: rewrites a coordinate text file whose records hold
// up to six fields in one user-defined order into a file whose records hold the
// same items in another order, with optional attribute, sequence numbers,
// shifted and scaled coordinates and a record count in front.

#include <array>
#include <string>
#include <vector>

#include "universal/layout_settings.h"

namespace vm {

struct UniversalConversionRun {
    LayoutSettings layout;
    char sourceSeparator = ',';  // ',' or ' '
    char targetSeparator = ',';
    // First sequence number to generate; -1 copies the source's sequence
    // number where a record has one. Advanced by the run, as a running counter.
    long long startNumber = -1;
    bool headerCount = false;  // write the record count as the first line
    // Kept in double precision, exactly as typed: grid coordinates need
    // millimetres at eight and more significant digits.
    double addX = 0, addY = 0, addZ = 0;
    double mulX = 1, mulY = 1, mulZ = 1;  // applied after the addition
    std::string sourcePath;
    std::string targetPath;
};

// One message box of a run; an empty caption stands for the application's name.
struct ConversionMessage {
    std::string text;
    std::string caption;
    bool failure = false;  // shown with a warning icon
};

struct UniversalConversionResult {
    bool success = false;
    std::vector<ConversionMessage> messages;  // in the order they are shown
    long long recordCount = 0;
    std::vector<std::string> filesWritten;
};

extern const char* const kMissingSourceMessage;   // "选择要转换的文件!!!"
extern const char* const kMissingTargetMessage;   // "选择要保存的文件!!!"
extern const char* const kConversionDoneMessage;  // "转换成功"
extern const char* const kConversionDoneCaption;  // "提示："

using RecordFields = std::array<std::string, kLayoutPositions>;

// Splits a record at the separator into fields 1-6: the text before the first
// separator, then the texts between separators, field 6 taking the rest after
// the fifth. A record without a separator lands whole in field 2. Separators are
// never merged and nothing is trimmed.
RecordFields SplitRecord(const std::string& record, char separator);

// The target line of one record (ending in CR LF). With numbering on, a
// generated sequence number advances counter.
std::string BuildTargetRecord(const RecordFields& source, const UniversalConversionRun& run,
                              long long& counter);

// Converts source bytes in memory into the target file's bytes (record count
// line included when asked); advances run.startNumber. Records holding a
// coordinate no file can hold are left out; skippedCount, when given, counts them.
std::string ConvertLayoutText(const std::string& sourceBytes, UniversalConversionRun& run,
                              long long& recordCount, long long* skippedCount = nullptr);

// A whole run: path checks, reading, converting, writing (all or nothing), and
// the messages to show. run.startNumber is advanced only when the target was written.
UniversalConversionResult ConvertLayoutFile(UniversalConversionRun& run);

}  // namespace vm
