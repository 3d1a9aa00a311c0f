#include "instrument/records.h"

#include "common/text.h"

namespace vm {

RecordSplit::RecordSplit(const std::string& line) : m_size(line.size()) {
    m_space = FindChar(line, ' ', 0);
    m_comma1 = FindChar(line, ',', m_space + 1);
    if (m_comma1 >= 0)
        m_comma2 = FindChar(line, ',', m_comma1 + 1);
}

std::string_view RecordSplit::Tag(const std::string& line) const {
    if (m_space < 0)
        return std::string_view();
    return std::string_view(line.data(), static_cast<size_t>(m_space));
}

// Field 1 starts after the space, or at the start of a line without one.
FieldRange RecordSplit::Field1() const {
    if (m_comma1 < 0)
        return FieldRange();
    return {static_cast<size_t>(m_space + 1), static_cast<size_t>(m_comma1)};
}

FieldRange RecordSplit::Field2() const {
    if (m_comma2 < 0)
        return FieldRange();
    return {static_cast<size_t>(m_comma1 + 1), static_cast<size_t>(m_comma2)};
}

FieldRange RecordSplit::RestAfterComma(int n) const {
    const long long comma = n == 1 ? m_comma1 : n == 2 ? m_comma2 : -1;
    if (comma < 0)
        return FieldRange();
    return {static_cast<size_t>(comma + 1), m_size};
}

std::string TrimmedField(const std::string& line, FieldRange range) {
    size_t end = range.end;
    while (end > range.begin && line[end - 1] == ' ')
        --end;
    return line.substr(range.begin, end - range.begin);
}

namespace {

std::string Text(const std::string& line, FieldRange range) {
    return line.substr(range.begin, range.end - range.begin);
}

}  // namespace

std::string RecordTag(const std::string& line) {
    return std::string(RecordSplit(line).Tag(line));
}

std::string RecordField1(const std::string& line) {
    return Text(line, RecordSplit(line).Field1());
}

std::string RecordField2(const std::string& line) {
    return Text(line, RecordSplit(line).Field2());
}

std::string RecordRestAfterComma(const std::string& line, int n) {
    return Text(line, RecordSplit(line).RestAfterComma(n));
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
    return TrimmedField(previousLine, RecordSplit(previousLine).Field1());
}

std::string PrecedingLineCode(const std::string& previousLine) {
    return TrimmedField(previousLine, RecordSplit(previousLine).RestAfterComma(2));
}

}  // namespace vm
