// RW5 files: comma-separated records, a two-letter record type first, then
// fields that each start with a two-character header ("OP", "FP", "AR", "N ",
// "E ", "EL", "--" for the description). MO names the units, OC the occupied
// station, LS the instrument and rod heights, BK the backsight, SS and TR the
// shots (angle right, zenith angle, slope distance), SP a stored point. Lines
// starting with "--" are notes.

#include <optional>
#include <string>
#include <vector>

#include "instrument/other_makers.h"
#include "instrument/text_lines.h"

namespace vm {
namespace {

class Rw5Reader {
public:
    explicit Rw5Reader(SurveyRecords& records) : m_records(records) {}

    void Line(long long number, std::string_view line) {
        while (!line.empty() && (line.front() == ' ' || line.front() == '\t'))
            line.remove_prefix(1);
        if (line.empty() || line.substr(0, 2) == "--")
            return;
        m_fields.clear();
        CommaFields fields(line);
        std::string_view f;
        fields.Next(f);
        const std::string_view type = f;
        while (fields.Next(f))
            m_fields.push_back(f);
        if (!Record(type))
            m_records.Skip(number, line);
    }

private:
    // The value of the field with header h; nothing when the record has none.
    std::optional<std::string_view> Field(std::string_view h) const {
        for (std::string_view f : m_fields) {
            if (f.substr(0, 2) == h)
                return f.substr(2);
        }
        return std::nullopt;
    }

    std::string Text(std::string_view h) const {
        const auto f = Field(h);
        return f ? std::string(*f) : std::string();
    }

    // A numeric field: absent or blank gives nothing; false when it is no number.
    bool Number(std::string_view h, std::optional<ExactDecimal>& out) const {
        out.reset();
        const auto f = Field(h);
        return !f || ParseOptionalDecimal(*f, out);
    }

    bool Record(std::string_view type) {
        if (type == "MO")
            return Mode();
        if (type == "SP")
            return StorePoint();
        if (type == "OC")
            return Occupy();
        if (type == "LS")
            return Number("HI", m_instrumentHeight) && Number("HR", m_rodHeight);
        if (type == "BK")
            return Backsight();
        if (type == "SS" || type == "TR" || type == "BD" || type == "BR" || type == "FD" ||
            type == "FR")
            return Shot();
        // Job records, GPS and stake-out records and the rest are not kept.
        return type.size() == 2 && type[0] >= 'A' && type[0] <= 'Z' && type[1] >= 'A' &&
               type[1] <= 'Z';
    }

    // UN: 0 feet, 1 metres, 2 US survey feet; AU: 0 ddd.mmss, 1 gon.
    bool Mode() {
        const std::string un = Text("UN");
        m_length = un == "0"   ? LengthUnit::Foot
                   : un == "2" ? LengthUnit::UsFoot
                               : LengthUnit::Metre;
        m_angle = Text("AU") == "1" ? AngleUnit::Gon : AngleUnit::Dms;
        m_records.SetUnits(m_length, m_angle);
        m_records.Taken();
        return true;
    }

    bool Point(std::string_view id, std::string_view station) {
        std::optional<ExactDecimal> n, e, z;
        if (!Number("N ", n) || !Number("E ", e) || !Number("EL", z))
            return false;
        if (!station.empty())
            m_records.Station(station, m_instrumentHeight, Text("--"));
        if (n && e)
            m_records.Point({Text(id), Text("--"), *n, *e, z.value_or(ExactDecimal{})});
        return (n && e) || !station.empty();
    }

    bool StorePoint() { return Point("PN", ""); }
    bool Occupy() { return !Text("OP").empty() && Point("OP", Text("OP")); }

    bool Backsight() {
        std::optional<ExactDecimal> azimuth, circle;
        if (!Number("BS", azimuth) || !Number("BC", circle) || Text("BP").empty())
            return false;
        return m_records.Backsight(Text("BP"), AngleIn(azimuth, m_angle), AngleIn(circle, m_angle));
    }

    bool Shot() {
        std::optional<ExactDecimal> ar, ze, sd, hd;
        if (!Number("AR", ar) || !Number("ZE", ze) || !Number("SD", sd) || !Number("HD", hd) || !ar)
            return false;
        SurveyObservation o;
        o.name = Text("FP");
        o.code = Text("--");
        o.targetHeight = m_rodHeight;
        o.horizontal = AngleIn(ar, m_angle);
        o.vertical = AngleIn(ze, m_angle);
        o.slopeDistance = sd;
        o.horizontalDistance = hd;
        return m_records.Observation(o);
    }

    SurveyRecords& m_records;
    std::vector<std::string_view> m_fields;
    AngleUnit m_angle = AngleUnit::Dms;
    LengthUnit m_length = LengthUnit::Metre;
    std::optional<ExactDecimal> m_instrumentHeight;
    std::optional<ExactDecimal> m_rodHeight;
};

}  // namespace

void ReadRw5File(std::string_view bytes, SurveyRecords& records) {
    Rw5Reader reader(records);
    ForEachTextLine(bytes, [&](long long n, std::string_view line) { reader.Line(n, line); });
}

}  // namespace vm
