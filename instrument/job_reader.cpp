// JOB and ARE files: one "label=value" pair a line. A station starts at label
// 2 (with 3 its instrument height), a point at label 5; 4 is the code and 6 the
// target height, which hold until they change; 7 and 8 are the horizontal and
// zenith angles (ddd.mmss), 9 the slope distance, 11 the horizontal distance
// and 10 the height difference; 37, 38 and 39 are north, east and elevation.

#include <optional>
#include <string>

#include "instrument/other_makers.h"
#include "instrument/text_lines.h"

namespace vm {
namespace {

class JobReader {
public:
    explicit JobReader(SurveyRecords& records) : m_records(records) {}

    void Line(long long number, std::string_view line) {
        if (Unpadded(line).empty())
            return;
        const size_t equals = line.find('=');
        int label = 0;
        if (equals == std::string_view::npos || !Label(line.substr(0, equals), label) ||
            !Take(label, std::string(Unpadded(line.substr(equals + 1)))))
            m_records.Skip(number, line);
    }

    void Finish() { Flush(); }

private:
    static bool Label(std::string_view text, int& label) {
        const std::string_view t = Unpadded(text);
        if (t.empty() || t.size() > 3)
            return false;
        label = 0;
        for (char c : t) {
            if (c < '0' || c > '9')
                return false;
            label = label * 10 + (c - '0');
        }
        return true;
    }

    bool Take(int label, const std::string& value) {
        switch (label) {
            case 2:
            case 5:
                Flush();
                m_station = label == 2;
                m_name = value;
                m_open = true;
                return true;
            case 4:
            case 6:
                if (HasValues())
                    Flush();
                if (label == 4) {
                    m_code = value;
                    return true;
                }
                return Number(value, m_targetHeight);
            case 3:
                return Number(value, m_instrumentHeight);
            case 7:
            case 8:
            case 9:
            case 10:
            case 11:
            case 37:
            case 38:
            case 39:
                return Number(value, m_values[label]);
            default:
                return true;  // job name, dates, temperature and the rest
        }
    }

    static bool Number(const std::string& value, std::optional<ExactDecimal>& out) {
        ExactDecimal d;
        if (!ParseExactDecimal(value, d))
            return false;
        out = d;
        return true;
    }

    bool HasValues() const {
        for (const auto& v : m_values) {
            if (v)
                return true;
        }
        return false;
    }

    std::optional<SurveyAngle> Angle(int label) const {
        return AngleIn(m_values[label], AngleUnit::Dms);
    }

    std::optional<ExactDecimal> Value(int label) const { return m_values[label]; }

    void Flush() {
        if (m_open) {
            if (m_station)
                m_records.Station(m_name, m_instrumentHeight, m_code);
            if (Angle(7)) {
                m_records.Observation({m_name, m_code, m_targetHeight, Angle(7), Angle(8), Value(9),
                                       Value(11), Value(10)});
            }
            if (Value(37) && Value(38))
                m_records.Point(
                    {m_name, m_code, *Value(37), *Value(38), Value(39).value_or(ExactDecimal{})});
        }
        m_open = false;
        for (auto& v : m_values)
            v.reset();
    }

    SurveyRecords& m_records;
    bool m_open = false;
    bool m_station = false;
    std::string m_name;
    std::string m_code;
    std::optional<ExactDecimal> m_targetHeight;
    std::optional<ExactDecimal> m_instrumentHeight;
    std::optional<ExactDecimal> m_values[40];  // by label
};

}  // namespace

void ReadJobFile(std::string_view bytes, SurveyRecords& records) {
    JobReader reader(records);
    ForEachTextLine(bytes, [&](long long n, std::string_view line) { reader.Line(n, line); });
    reader.Finish();
}

}  // namespace vm
