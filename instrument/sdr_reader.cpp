// SDR files: fixed-column records, the record type in columns 1-2 and a
// two-letter derivation code in 3-4. The header record "00NM" names the
// version (SDR2x: four-character numeric point ids; SDR33: sixteen-character
// alphanumeric ones) and the units and the order of the coordinates.

#include <optional>
#include <string>

#include "instrument/other_makers.h"
#include "instrument/text_lines.h"

namespace vm {
namespace {

// Column widths of one layout: the point id and the values.
struct SdrLayout {
    size_t id = 16;
    size_t value = 16;
    size_t description = 16;
};

// columns [begin, begin + width) of a 1-based column begin; "" past the end.
std::string_view Columns(std::string_view line, size_t begin, size_t width) {
    if (begin - 1 >= line.size())
        return std::string_view();
    return line.substr(begin - 1, width);
}

std::string Trimmed(std::string_view text) {
    const size_t b = text.find_first_not_of(' ');
    if (b == std::string_view::npos)
        return std::string();
    return std::string(text.substr(b, text.find_last_not_of(' ') - b + 1));
}

class SdrReader {
public:
    explicit SdrReader(SurveyRecords& records) : m_records(records) {}

    void Line(long long number, std::string_view line) {
        if (Trimmed(line).empty())
            return;
        if (line.size() < 4 || !Record(line))
            m_records.Skip(number, line);
    }

private:
    bool Record(std::string_view line) {
        const std::string_view type = line.substr(0, 2);
        if (type == "00")
            return Header(line);
        if (type == "01") {
            m_horizonZero = Columns(line, 51, 1) == "2";
            m_records.Taken();
            return true;
        }
        if (type == "02")
            return Station(line);
        if (type == "03")
            return ParseOptionalDecimal(Columns(line, 5, m_layout.value), m_targetHeight);
        if (type == "07")
            return Backsight(line);
        if (type == "08")
            return Coordinates(line);
        if (type == "09")
            return Observation(line);
        // Job names, notes, instrument settings and the rest hold nothing the
        // records keep; a line without a record type does not follow the format.
        return type[0] >= '0' && type[0] <= '9' && type[1] >= '0' && type[1] <= '9';
    }

    bool Header(std::string_view line) {
        if (line.substr(2, 2) != "NM")
            return true;
        const std::string version = Trimmed(Columns(line, 5, 16));
        if (version.find("SDR2") != std::string::npos)
            m_layout = {4, 10, 16};
        const char angle = Columns(line, 41, 1).empty() ? '1' : line[40];
        const char dist = Columns(line, 42, 1).empty() ? '1' : line[41];
        m_angle = angle == '2'   ? AngleUnit::Gon
                  : angle == '4' ? AngleUnit::Mil
                                 : AngleUnit::Degrees;
        m_records.SetUnits(dist == '2' ? LengthUnit::Foot : LengthUnit::Metre, m_angle);
        m_eastFirst = Columns(line, 45, 1) == "2";
        m_records.Taken();
        return true;
    }

    // The columns after the point id(s), each m_layout.value wide.
    std::string_view Field(std::string_view line, size_t ids, size_t k) const {
        return Columns(line, 5 + ids * m_layout.id + k * m_layout.value, m_layout.value);
    }

    // The point id and the coordinates of a station or coordinate record.
    bool ReadPoint(std::string_view line, SurveyPoint& p) {
        const size_t ids = 1;
        std::optional<ExactDecimal> a, b, z;
        if (!ParseOptionalDecimal(Field(line, ids, 0), a) ||
            !ParseOptionalDecimal(Field(line, ids, 1), b) ||
            !ParseOptionalDecimal(Field(line, ids, 2), z) || !a || !b)
            return false;
        p.name = Trimmed(Columns(line, 5 + (ids - 1) * m_layout.id, m_layout.id));
        p.north = m_eastFirst ? *b : *a;
        p.east = m_eastFirst ? *a : *b;
        p.height = z.value_or(ExactDecimal{});
        return true;
    }

    bool Station(std::string_view line) {
        SurveyPoint p;
        std::optional<ExactDecimal> hi;
        if (!ReadPoint(line, p) || !ParseOptionalDecimal(Field(line, 1, 3), hi))
            return false;
        p.code = Trimmed(Columns(line, 5 + m_layout.id + 4 * m_layout.value, m_layout.description));
        m_records.Station(p.name, hi, p.code);
        m_records.Point(p);
        return true;
    }

    bool Coordinates(std::string_view line) {
        SurveyPoint p;
        if (!ReadPoint(line, p))
            return false;
        p.code = Trimmed(Columns(line, 5 + m_layout.id + 3 * m_layout.value, m_layout.description));
        m_records.Point(p);
        return true;
    }

    bool Backsight(std::string_view line) {
        std::optional<ExactDecimal> azimuth, circle;
        if (!ParseOptionalDecimal(Field(line, 2, 0), azimuth) ||
            !ParseOptionalDecimal(Field(line, 2, 1), circle))
            return false;
        const std::string name = Trimmed(Columns(line, 5 + m_layout.id, m_layout.id));
        return m_records.Backsight(name, AngleIn(azimuth, m_angle), AngleIn(circle, m_angle));
    }

    // A vertical angle from the horizon made a zenith angle.
    ExactDecimal Zenith(ExactDecimal va) const {
        if (!m_horizonZero)
            return va;
        long long quarter = m_angle == AngleUnit::Gon ? 100 : m_angle == AngleUnit::Mil ? 1600 : 90;
        for (int i = 0; i < va.scale; ++i)
            quarter *= 10;
        return {quarter - va.units, va.scale};
    }

    bool Observation(std::string_view line) {
        std::optional<ExactDecimal> sd, va, ha;
        if (!ParseOptionalDecimal(Field(line, 2, 0), sd) ||
            !ParseOptionalDecimal(Field(line, 2, 1), va) ||
            !ParseOptionalDecimal(Field(line, 2, 2), ha) || !ha)
            return false;
        SurveyObservation o;
        o.name = Trimmed(Columns(line, 5 + m_layout.id, m_layout.id));
        o.code =
            Trimmed(Columns(line, 5 + 2 * m_layout.id + 3 * m_layout.value, m_layout.description));
        o.targetHeight = m_targetHeight;
        o.horizontal = AngleIn(ha, m_angle);
        if (va)
            o.vertical = SurveyAngle{Zenith(*va), m_angle};
        o.slopeDistance = sd;
        return m_records.Observation(o);
    }

    SurveyRecords& m_records;
    SdrLayout m_layout;
    AngleUnit m_angle = AngleUnit::Degrees;
    bool m_eastFirst = false;
    bool m_horizonZero = false;
    std::optional<ExactDecimal> m_targetHeight;
};

}  // namespace

void ReadSdrFile(std::string_view bytes, SurveyRecords& records) {
    SdrReader reader(records);
    records.SetUnits(LengthUnit::Metre, AngleUnit::Degrees);
    ForEachTextLine(bytes, [&](long long n, std::string_view line) { reader.Line(n, line); });
}

}  // namespace vm
