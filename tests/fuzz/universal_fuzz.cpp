// Any bytes as a source file of the universal conversion, with the layout,
// separators, switches and constants taken from the first bytes: records are
// those of the marking rule, fields are split as described, the target holds
// one CR LF line per record not skipped (plus the count line), and generated numbering
// advances once per record.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "marked_records.h"
#include "universal/layout_records.h"
#include "universal/universal_conversion.h"

namespace {

constexpr size_t kSettingsBytes = 16;

vm::RecordFields ReferenceSplit(const std::string& record, char separator) {
    vm::RecordFields fields;
    std::vector<std::string> parts;
    size_t from = 0;
    for (size_t at; parts.size() < 5 && (at = record.find(separator, from)) != std::string::npos;
         from = at + 1)
        parts.push_back(record.substr(from, at - from));
    if (parts.empty()) {
        fields[1] = record;
        return fields;
    }
    parts.push_back(record.substr(from));
    for (size_t k = 0; k < parts.size(); ++k)
        fields[k] = parts[k];
    return fields;
}

vm::UniversalConversionRun RunFromBytes(const uint8_t* d) {
    static const double kConstants[] = {0, 1, -1, 0.001, 500000.123, 1e300, -2.5e-7, 3};
    vm::UniversalConversionRun run;
    int* positions[] = {&run.layout.source.pointNumber, &run.layout.source.attribute,
                        &run.layout.source.x,           &run.layout.source.y,
                        &run.layout.source.z,           &run.layout.source.sequenceNumber,
                        &run.layout.target.pointNumber, &run.layout.target.attribute,
                        &run.layout.target.x,           &run.layout.target.y,
                        &run.layout.target.z,           &run.layout.target.sequenceNumber};
    for (int k = 0; k < 12; ++k)
        *positions[k] = static_cast<int8_t>(d[k]);
    run.layout.attributeEnabled = d[12] & 1;
    run.layout.numberingEnabled = d[12] & 2;
    run.headerCount = d[12] & 4;
    run.sourceSeparator = d[12] & 8 ? ' ' : ',';
    run.targetSeparator = d[12] & 16 ? ' ' : ',';
    run.startNumber = d[12] & 32 ? -1 : static_cast<int8_t>(d[13]);
    run.addX = kConstants[d[14] & 7];
    run.addY = kConstants[(d[14] >> 3) & 7];
    run.mulZ = kConstants[d[15] & 7];
    run.mulX = kConstants[(d[15] >> 3) & 7];
    return run;
}

size_t LineEnds(const std::string& text) {
    size_t n = 0;
    for (size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at + 2))
        ++n;
    return n;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < kSettingsBytes)
        return 0;
    vm::UniversalConversionRun run = RunFromBytes(data);
    const std::string bytes(reinterpret_cast<const char*>(data) + kSettingsBytes,
                            size - kSettingsBytes);

    const std::vector<std::string> expected = vm::fuzz::MarkedRecords(bytes);
    vm::LayoutRecordReader reader(bytes);
    std::string_view record;
    size_t index = 0;
    for (; reader.Next(record); ++index) {
        if (index >= expected.size() || record != expected[index])
            __builtin_trap();
        const std::string text(record);
        if (vm::SplitRecord(text, run.sourceSeparator) != ReferenceSplit(text, run.sourceSeparator))
            __builtin_trap();
    }
    if (index != expected.size())
        __builtin_trap();

    const long long startBefore = run.startNumber;
    long long count = -1, skipped = -1;
    const std::string out = vm::ConvertLayoutText(bytes, run, count, &skipped);
    if (skipped < 0 || count + skipped != static_cast<long long>(expected.size()))
        __builtin_trap();
    if (LineEnds(out) != static_cast<size_t>(count) + (run.headerCount ? 1 : 0))
        __builtin_trap();
    if (run.layout.numberingEnabled && startBefore >= 0 && run.startNumber != startBefore + count)
        __builtin_trap();
    if (!run.layout.numberingEnabled && run.startNumber != startBefore)
        __builtin_trap();
    return 0;
}
