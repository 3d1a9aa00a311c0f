#include "instrument/records.h"

#include "common/text.h"

namespace vm {
namespace {

// Positions of the first space and of the first and second comma after it (-1
// when missing).
struct Separators {
    long long space = -1;
    long long comma1 = -1;
    long long comma2 = -1;
};

Separators FindSeparators(const std::string& line) {
    Separators s;
    s.space = FindChar(line, ' ', 0);
    s.comma1 = FindChar(line, ',', s.space + 1);
    if (s.comma1 >= 0)
        s.comma2 = FindChar(line, ',', s.comma1 + 1);
    return s;
}

std::string TrimTrailingSpaces(std::string text) {
    const size_t last = text.find_last_not_of(' ');
    text.erase(last == std::string::npos ? 0 : last + 1);
    return text;
}

}  // namespace

std::string RecordTag(const std::string& line) {
    const long long space = FindChar(line, ' ', 0);
    return space < 0 ? std::string() : line.substr(0, static_cast<size_t>(space));
}

std::string RecordField1(const std::string& line) {
    const Separators s = FindSeparators(line);
    if (s.comma1 < 0)
        return std::string();
    return Mid(line, s.space + 1, s.comma1 - s.space - 1);
}

std::string RecordField2(const std::string& line) {
    const Separators s = FindSeparators(line);
    if (s.comma2 < 0)
        return std::string();
    return Mid(line, s.comma1 + 1, s.comma2 - s.comma1 - 1);
}

std::string RecordRestAfterComma(const std::string& line, int n) {
    const Separators s = FindSeparators(line);
    const long long comma = n == 1 ? s.comma1 : n == 2 ? s.comma2 : -1;
    return comma < 0 ? std::string() : MidFrom(line, comma + 1);
}

std::string AngleUnitFromCode(const std::string& code) {
    if (code == "d")
        return "dms";
    if (code == "m")
        return "mil";
    if (code == "g")
        return "gon";
    return code;
}

void ReadUnitsRecord(const std::string& line, RecordUnits& units) {
    units.distanceUnit = RecordField1(line);
    units.angleUnit = AngleUnitFromCode(RecordRestAfterComma(line, 1));
}

std::string PrecedingLineName(const std::string& previousLine) {
    return TrimTrailingSpaces(RecordField1(previousLine));
}

std::string PrecedingLineCode(const std::string& previousLine) {
    return TrimTrailingSpaces(RecordRestAfterComma(previousLine, 2));
}

}  // namespace vm
