// Nikon RAW: comma-separated records, each starting with a two-letter type:
// ST station (station, its id, backsight, its id, instrument height, backsight
// azimuth, backsight circle reading), SS and CP shots (point, [id,] target
// height, slope distance, horizontal angle, zenith angle, time, code), and the
// coordinate records UP, MP, CC, RE, KI (point, id, north, east, elevation,
// code). CO lines are comments; the header's comments name the units.

#include <optional>
#include <string>
#include <vector>

#include "instrument/other_makers.h"
#include "instrument/text_lines.h"

namespace vm {
namespace {

std::string Lower(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return out;
}

class NikonRawReader {
public:
    explicit NikonRawReader(SurveyRecords& records) : m_records(records) {}

    void Line(long long number, std::string_view line) {
        if (Unpadded(line).empty())
            return;
        m_fields.clear();
        CommaFields fields(line);
        std::string_view f;
        while (fields.Next(f))
            m_fields.push_back(f);
        if (!Record(std::string(Unpadded(m_fields[0]))))
            m_records.Skip(number, line);
    }

private:
    std::string Text(size_t k) const {
        return k < m_fields.size() ? std::string(Unpadded(m_fields[k])) : "";
    }

    // Field k as a number; blank gives nothing; false for anything else.
    bool Number(size_t k, std::optional<ExactDecimal>& out) const {
        out.reset();
        return ParseOptionalDecimal(Text(k), out);
    }

    bool Record(const std::string& type) {
        if (type == "CO")
            return Comment();
        if (type == "ST")
            return Station();
        if (type == "SS")
            return Shot(2);
        if (type == "CP")
            return Shot(3);
        if (type == "UP" || type == "MP" || type == "CC" || type == "RE" || type == "KI")
            return Coordinates();
        // Other records (face readings, stake-out, check shots) are not kept.
        return type.size() == 2 && type[0] >= 'A' && type[0] <= 'Z' && type[1] >= 'A' &&
               type[1] <= 'Z' && m_fields.size() > 1;
    }

    // Header comments such as "CO,Angle: Gon" or "CO,Dist: Feet" name the units.
    bool Comment() {
        const std::string text = Lower(Text(1));
        if (text.find("angle") != std::string::npos) {
            m_angle = text.find("gon") != std::string::npos   ? AngleUnit::Gon
                      : text.find("mil") != std::string::npos ? AngleUnit::Mil
                                                              : AngleUnit::Dms;
        }
        if (text.find("dist") != std::string::npos) {
            const bool us = text.find("survey") != std::string::npos ||
                            text.find("us-f") != std::string::npos ||
                            text.find("us f") != std::string::npos ||
                            text.find("usft") != std::string::npos;
            const bool feet =
                text.find("feet") != std::string::npos || text.find("ft") != std::string::npos;
            m_length = us ? LengthUnit::UsFoot : feet ? LengthUnit::Foot : LengthUnit::Metre;
        }
        m_records.SetUnits(m_length, m_angle);
        return true;
    }

    bool Station() {
        std::optional<ExactDecimal> hi, azimuth, circle;
        if (Text(1).empty() || !Number(5, hi) || !Number(6, azimuth) || !Number(7, circle))
            return false;
        m_records.Station(Text(1), hi, "");
        if (!Text(3).empty())
            return m_records.Backsight(Text(3), AngleIn(azimuth, m_angle),
                                       AngleIn(circle, m_angle));
        return true;
    }

    // A shot whose target height is field first (after the point and, for CP, its id).
    bool Shot(size_t first) {
        std::optional<ExactDecimal> ht, sd, ha, va;
        if (!Number(first, ht) || !Number(first + 1, sd) || !Number(first + 2, ha) ||
            !Number(first + 3, va) || !ha)
            return false;
        SurveyObservation o;
        o.name = Text(1);
        o.code = Text(first + 5);
        o.targetHeight = ht;
        o.horizontal = AngleIn(ha, m_angle);
        o.vertical = AngleIn(va, m_angle);
        o.slopeDistance = sd;
        return m_records.Observation(o);
    }

    bool Coordinates() {
        std::optional<ExactDecimal> n, e, z;
        if (!Number(3, n) || !Number(4, e) || !Number(5, z) || !n || !e)
            return false;
        m_records.Point({Text(1), Text(6), *n, *e, z.value_or(ExactDecimal{})});
        return true;
    }

    SurveyRecords& m_records;
    std::vector<std::string_view> m_fields;
    AngleUnit m_angle = AngleUnit::Dms;
    LengthUnit m_length = LengthUnit::Metre;
};

}  // namespace

void ReadNikonRawFile(std::string_view bytes, SurveyRecords& records) {
    NikonRawReader reader(records);
    ForEachTextLine(bytes, [&](long long n, std::string_view line) { reader.Line(n, line); });
}

}  // namespace vm
