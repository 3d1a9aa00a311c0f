#pragma once
// Reading the instrument's measurement records: a tag, one space, then fields
// separated by commas. Field extraction never fails: a missing separator gives
// an empty field, and numbers without digits read as 0.

#include <string>

namespace vm {

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
