// Any bytes as a downloaded text: classification and the record readers must
// not crash, and the one-pass field split must give exactly the fields that
// the text readers give.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "common/line_reader.h"
#include "instrument/download_kind.h"
#include "instrument/records.h"

namespace {

std::string Trimmed(std::string text) {
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    return text;
}

// The fields as the header describes them, found with plain searches.
struct Reference {
    std::string field1, field2, rest1, rest2;
};

Reference ReferenceFields(const std::string& line) {
    Reference r;
    const size_t space = line.find(' ');
    const size_t from = space == std::string::npos ? 0 : space + 1;
    const size_t comma1 = line.find(',', from);
    if (comma1 == std::string::npos)
        return r;
    r.field1 = line.substr(from, comma1 - from);
    r.rest1 = line.substr(comma1 + 1);
    const size_t comma2 = line.find(',', comma1 + 1);
    if (comma2 == std::string::npos)
        return r;
    r.field2 = line.substr(comma1 + 1, comma2 - comma1 - 1);
    r.rest2 = line.substr(comma2 + 1);
    return r;
}

void CheckRange(const std::string& line, vm::FieldRange range) {
    if (range.begin > range.end || range.end > line.size())
        __builtin_trap();
}

void CheckLine(const std::string& line, vm::RecordUnits& units, const std::string& previous) {
    const vm::RecordSplit split(line);
    const Reference ref = ReferenceFields(line);
    CheckRange(line, split.Field1());
    CheckRange(line, split.Field2());
    CheckRange(line, split.RestAfterComma(1));
    CheckRange(line, split.RestAfterComma(2));
    if (vm::RecordField1(line) != ref.field1)
        __builtin_trap();
    if (vm::RecordField2(line) != ref.field2)
        __builtin_trap();
    if (vm::RecordRestAfterComma(line, 1) != ref.rest1)
        __builtin_trap();
    if (vm::RecordRestAfterComma(line, 2) != ref.rest2)
        __builtin_trap();
    if (vm::TrimmedField(line, split.Field1()) != Trimmed(ref.field1))
        __builtin_trap();
    if (vm::PrecedingLineName(previous) != Trimmed(ReferenceFields(previous).field1))
        __builtin_trap();
    const std::string tag = vm::RecordTag(line);
    if (tag.size() > line.size() || tag.find(' ') != std::string::npos)
        __builtin_trap();
    vm::ReadUnitsRecord(line, units);
    vm::PrecedingLineCode(previous);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const vm::DownloadKind kind = vm::ClassifyDownloadedBytes(bytes);
    if (std::string_view(vm::DownloadKindWord(kind)).empty())
        __builtin_trap();

    vm::LineReader reader(bytes);
    vm::RecordUnits units;
    std::string piece, previous;
    while (reader.Next(piece)) {
        CheckLine(piece, units, previous);
        previous = piece;
    }
    return 0;
}
