#include "instrument/survey_records.h"

#include <initializer_list>

#include "common/code_page.h"

namespace vm {
namespace {

// The readers of the instrument's files take 99 bytes at a time: a record
// line must stay below that with its line end.
constexpr size_t kMaxLine = 97;
constexpr size_t kMaxName = 32;

// How many bytes of text fit in max without splitting a character (UTF-8
// when the text is valid UTF-8, else the two-byte characters of GBK).
size_t FittingBytes(std::string_view text, size_t max) {
    if (text.size() <= max)
        return text.size();
    size_t cut = 0;
    if (IsValidUtf8(text)) {
        cut = max;
        while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80)
            --cut;
    } else {
        for (size_t i = 0; i < text.size();) {
            const size_t length = static_cast<unsigned char>(text[i]) < 0x80 ? 1 : 2;
            if (i + length > max)
                break;
            i += length;
            cut = i;
        }
    }
    return cut;
}

// A name or code as a field: line ends gone, spaces around trimmed; a name
// loses its commas, which would end the field.
std::string CleanField(std::string_view text, bool name) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (c == '\r' || c == '\n')
            continue;
        out.push_back(name && c == ',' ? ' ' : c);
    }
    const size_t begin = out.find_first_not_of(' ');
    if (begin == std::string::npos)
        return std::string();
    out.erase(out.find_last_not_of(' ') + 1);
    out.erase(0, begin);
    if (name)
        out.resize(FittingBytes(out, kMaxName));
    return out;
}

// Appends the pieces, then as much of code as fits in the line, and the line end.
void AppendLine(std::string& text, std::initializer_list<std::string_view> pieces,
                std::string_view code = std::string_view()) {
    size_t head = 0;
    for (std::string_view piece : pieces) {
        head += piece.size();
        text.append(piece);
    }
    text.append(code.substr(0, FittingBytes(code, head < kMaxLine ? kMaxLine - head : 0)));
    text.append("\r\n");
}

}  // namespace

void SurveyRecords::SetUnits(LengthUnit length, AngleUnit angle) {
    if (length != m_length || angle != m_angle)
        m_unitsWritten = false;
    m_length = length;
    m_angle = angle;
}

void SurveyRecords::EmitUnits() {
    if (m_unitsWritten)
        return;
    AppendLine(m_texts.measurement,
               {"UNITS ", LengthUnitName(m_length), ",", AngleUnitCode(m_angle)});
    m_unitsWritten = true;
}

void SurveyRecords::EmitPointLine(std::string_view tag, std::string_view name,
                                  const std::optional<ExactDecimal>& height,
                                  std::string_view code) {
    EmitUnits();
    AppendLine(m_texts.measurement,
               {tag, " ", CleanField(name, true), ",", height ? DecimalText(*height) : "", ","},
               CleanField(code, false));
}

void SurveyRecords::Station(std::string_view name,
                            const std::optional<ExactDecimal>& instrumentHeight,
                            std::string_view code) {
    ++m_texts.records;
    EmitPointLine("STN", name, instrumentHeight, code);
}

bool SurveyRecords::Backsight(std::string_view name, const std::optional<SurveyAngle>& azimuth,
                              const std::optional<SurveyAngle>& circle) {
    if (azimuth && circle) {
        std::string first;
        std::string second;
        if (!AngleField(*azimuth, true, first) || !AngleField(*circle, true, second))
            return false;
        EmitUnits();
        AppendLine(m_texts.measurement, {"BKB ", CleanField(name, true), ",", first, ",", second});
    } else {
        EmitPointLine("BS", name, std::nullopt, "");
    }
    ++m_texts.records;
    return true;
}

bool SurveyRecords::Observation(const SurveyObservation& o) {
    if (!o.horizontal)
        return false;
    std::string hz;
    std::string v;
    if (!AngleField(*o.horizontal, true, hz))
        return false;
    std::string record;
    if (o.slopeDistance && o.vertical) {
        // The zenith angle and the slope distance only enter the reduction:
        // they keep every decimal of the file.
        if (!AngleField(*o.vertical, false, v))
            return false;
        record = "SD " + hz + "," + v + "," + LengthField(*o.slopeDistance, false);
    } else if (o.horizontalDistance) {
        const ExactDecimal dh = o.heightDifference.value_or(ExactDecimal{});
        record = "HD " + hz + "," + LengthField(*o.horizontalDistance, true) + "," +
                 LengthField(dh, true);
    } else if (o.vertical) {
        if (!AngleField(*o.vertical, true, v))
            return false;
        record = "HV " + hz + "," + v;
    } else {
        return false;
    }
    ++m_texts.records;
    EmitPointLine("SS", o.name, o.targetHeight, o.code);
    AppendLine(m_texts.measurement, {record});
    return true;
}

void SurveyRecords::Point(const SurveyPoint& p) {
    ++m_texts.records;
    ++m_texts.points;
    const std::string name = CleanField(p.name, true);
    const std::string code = CleanField(p.code, false);
    EmitUnits();
    AppendLine(m_texts.measurement, {"SS ", name, ",,"}, code);
    const std::string x = LengthField(p.north, true);
    const std::string y = LengthField(p.east, true);
    const std::string z = LengthField(p.height, true);
    AppendLine(m_texts.measurement, {"XYZ ", x, ",", y, ",", z});
    AppendLine(m_texts.coordinates, {name, ",", x, ",", y, ",", z, ","}, code);
    AppendLine(m_texts.plainPoints,
               {name, ",", DecimalText(p.north), ",", DecimalText(p.east), ",",
                DecimalText(p.height), ","},
               code);
}

void SurveyRecords::Skip(long long lineNumber, std::string_view line) {
    if (m_texts.skipped++ == 0) {
        m_texts.firstSkippedLine = lineNumber;
        m_texts.firstSkipped = std::string(line.substr(0, FittingBytes(line, 80)));
    }
}

}  // namespace vm
