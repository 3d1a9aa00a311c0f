#pragma once
// Reading the instrument's measurement records: a tag, one space, then fields
// separated by commas. Field extraction never fails: a missing separator gives
// an empty field, and numbers without digits read as 0.

#include <cstddef>
#include <string>
#include <string_view>

namespace vm {

// A stretch [begin, end) of a line; empty when the field is missing.
struct FieldRange {
    size_t begin = 0;
    size_t end = 0;
};

// The separators of one record line, found once: the first space and the first
// two commas after it. Fast access for the conversions; the functions below
// give the same fields as texts.
class RecordSplit {
public:
    explicit RecordSplit(const std::string& line);

    std::string_view Tag(const std::string& line) const;
    FieldRange Field1() const;
    FieldRange Field2() const;
    FieldRange RestAfterComma(int n) const;  // n = 1 or 2

private:
    long long m_space = -1;
    long long m_comma1 = -1;
    long long m_comma2 = -1;
    size_t m_size = 0;
};

// The text of a range, trailing spaces removed (names and codes).
std::string TrimmedField(const std::string& line, FieldRange range);

// The text before the first space of a trimmed line; "" when it has no space
// (such a line is no record).
std::string RecordTag(const std::string& line);

// Field 1: after the first space up to the first comma after it.
std::string RecordField1(const std::string& line);
// Field 2: between the first and the second comma after the tag.
std::string RecordField2(const std::string& line);
// The rest of the line after the first (n = 1) or second (n = 2) comma after the
// tag; may hold further commas. "" when that comma is missing.
std::string RecordRestAfterComma(const std::string& line, int n);

// The units that the latest "UNITS" record set; both empty before the first one.
struct RecordUnits {
    std::string distanceUnit;  // written unchanged after distances
    std::string angleUnit;     // "dms", "mil", "gon" or any other code as it stands
};

// "d" -> "dms", "m" -> "mil", "g" -> "gon", anything else unchanged.
std::string AngleUnitFromCode(const std::string& code);

// Applies a "UNITS" record line to units.
void ReadUnitsRecord(const std::string& line, RecordUnits& units);

// The preceding-line rule: an observation without a name of its own takes the
// name (field 1, trailing spaces removed) and the code (the text after the
// second comma, trailing spaces removed) of the line right before it.
std::string PrecedingLineName(const std::string& previousLine);
std::string PrecedingLineCode(const std::string& previousLine);

}  // namespace vm
