// GSI blocks: one line each, made of words separated by spaces. A word is a
// two-digit word index, four information characters, a sign and 8 data
// characters (GSI-8) or 16 (GSI-16, whose lines start with '*'). The last
// information character gives the unit and the decimals of a value.

#include <optional>
#include <string>

#include "instrument/other_makers.h"
#include "instrument/text_lines.h"

namespace vm {
namespace {

struct GsiWord {
    int index = 0;
    char unit = '0';
    std::string_view data;  // with its sign in front
};

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool ParseWord(std::string_view text, GsiWord& word) {
    if (text.size() != 15 && text.size() != 23)
        return false;
    if (!IsDigit(text[0]) || !IsDigit(text[1]) || (text[6] != '+' && text[6] != '-'))
        return false;
    word.index = (text[0] - '0') * 10 + (text[1] - '0');
    word.unit = text[5];
    word.data = text.substr(6);
    return true;
}

// A point id or code: the data characters without the zeros that pad them.
std::string TextData(std::string_view data) {
    data.remove_prefix(1);
    while (data.size() > 1 && data[0] == '0')
        data.remove_prefix(1);
    return std::string(data);
}

bool LengthValue(const GsiWord& w, ExactDecimal& value, LengthUnit& unit) {
    int places = 3;
    switch (w.unit) {
        case '0':
        case '.':  // no unit given: metres, as the instrument's default
            unit = LengthUnit::Metre;
            break;
        case '1':
            unit = LengthUnit::Foot;
            break;
        case '6':
            unit = LengthUnit::Metre;
            places = 4;
            break;
        case '7':
            unit = LengthUnit::Foot;
            places = 4;
            break;
        case '8':
            unit = LengthUnit::Metre;
            places = 5;
            break;
        default:
            return false;
    }
    return ParseScaledDigits(w.data, places, value);
}

bool AngleValue(const GsiWord& w, SurveyAngle& angle) {
    int places = 5;
    switch (w.unit) {
        case '2':
            angle.unit = AngleUnit::Gon;
            break;
        case '3':
            angle.unit = AngleUnit::Degrees;
            break;
        case '4':
            angle.unit = AngleUnit::Dms;  // DDD.MMSSs: the last digit tenths of a second
            break;
        case '5':
            angle.unit = AngleUnit::Mil;
            places = 4;
            break;
        default:
            return false;
    }
    return ParseScaledDigits(w.data, places, angle.value);
}

// What one block holds.
struct GsiBlock {
    std::string name;
    std::optional<std::string> code;
    std::optional<std::string> codeBlock;  // word 41: a code for the blocks after it
    std::optional<SurveyAngle> hz, v;
    std::optional<ExactDecimal> distances[4];  // words 31-33 at 1-3
    std::optional<ExactDecimal> coords[9];     // words 81-88 at 1-8
    LengthUnit lengthUnit = LengthUnit::Metre;
    bool hasLength = false;
};

bool TakeWord(const GsiWord& w, GsiBlock& b) {
    if (w.index == 11) {
        b.name = TextData(w.data);
    } else if (w.index == 41) {
        b.codeBlock = TextData(w.data);
    } else if (w.index == 71) {
        b.code = TextData(w.data);
    } else if (w.index == 21 || w.index == 22) {
        SurveyAngle a;
        if (!AngleValue(w, a))
            return false;
        (w.index == 21 ? b.hz : b.v) = a;
    } else if ((w.index >= 31 && w.index <= 33) || (w.index >= 81 && w.index <= 88)) {
        ExactDecimal d;
        LengthUnit unit;
        if (!LengthValue(w, d, unit) || (b.hasLength && unit != b.lengthUnit))
            return false;
        b.lengthUnit = unit;
        b.hasLength = true;
        if (w.index >= 81)
            b.coords[w.index - 80] = d;
        else
            b.distances[w.index - 30] = d;
    }
    return true;  // other words (dates, ppm, serial numbers) carry nothing the records hold
}

class GsiReader {
public:
    explicit GsiReader(SurveyRecords& records) : m_records(records) {}

    void Line(long long number, std::string_view line) {
        if (line.find_first_not_of(" \t") == std::string_view::npos)
            return;
        GsiBlock block;
        if (!ReadBlock(line, block) || !Emit(block))
            m_records.Skip(number, line);
    }

private:
    static bool ReadBlock(std::string_view line, GsiBlock& block) {
        if (!line.empty() && line[0] == '*')
            line.remove_prefix(1);
        bool any = false;
        CommaFields words(line, ' ');
        std::string_view text;
        while (words.Next(text)) {
            if (text.empty())
                continue;
            GsiWord w;
            if (!ParseWord(text, w) || !TakeWord(w, block))
                return false;
            any = true;
        }
        return any;
    }

    bool Emit(const GsiBlock& b) {
        if (b.codeBlock) {
            m_pendingCode = *b.codeBlock;
            m_records.Taken();
        }
        const std::string code = b.code ? *b.code : m_pendingCode;
        const AngleUnit angleUnit = b.hz ? b.hz->unit : AngleUnit::Dms;
        if (b.hz && b.v && b.v->unit != angleUnit)
            return false;
        m_records.SetUnits(b.lengthUnit, angleUnit);
        const auto& c = b.coords;
        bool used = false;
        if (!b.hz && (c[8] || (c[4] && c[5]))) {  // a station with its height and coordinates
            m_records.Station(b.name, c[8], code);
            if (c[4] && c[5])
                m_records.Point({b.name, code, *c[5], *c[4], c[6].value_or(ExactDecimal{})});
            used = true;
        }
        const auto& d = b.distances;
        if (b.hz && (b.v || d[1] || d[2])) {
            if (!m_records.Observation({b.name, code, c[7], b.hz, b.v, d[1], d[2], d[3]}))
                return false;
            used = true;
        } else if (d[1] || d[2] || d[3]) {
            return false;  // a distance without the angles it belongs to
        }
        if (c[1] && c[2]) {  // word 81 is the easting, 82 the northing
            m_records.Point({b.name, code, *c[2], *c[1], c[3].value_or(ExactDecimal{})});
            used = true;
        } else if (c[1] || c[2]) {
            return false;  // half a coordinate
        }
        if (used && !b.code)
            m_pendingCode.clear();
        return true;
    }

    SurveyRecords& m_records;
    std::string m_pendingCode;
};

}  // namespace

void ReadGsiFile(std::string_view bytes, SurveyRecords& records) {
    GsiReader reader(records);
    ForEachTextLine(bytes, [&](long long n, std::string_view line) { reader.Line(n, line); });
}

}  // namespace vm
