#pragma once
// The one record model for other makers' files: every reader hands its
// stations, backsights, observations and points to SurveyRecords, which writes
// them as the records of the instrument's own files. So every output (the
// layouts, the angle-distance and angle tables, Excel, DXF, the table, the
// preview) comes out of the code that reads the instrument's files.

#include <optional>
#include <string>
#include <string_view>

#include "instrument/exact_decimal.h"
#include "instrument/survey_angle.h"

namespace vm {

// An observation from a station to a target: what a reader found of it.
struct SurveyObservation {
    std::string name;
    std::string code;
    std::optional<ExactDecimal> targetHeight;
    std::optional<SurveyAngle> horizontal;
    std::optional<SurveyAngle> vertical;  // zenith angle
    std::optional<ExactDecimal> slopeDistance;
    std::optional<ExactDecimal> horizontalDistance;
    std::optional<ExactDecimal> heightDifference;
};

// A point with coordinates; north is X and east is Y, as in the instrument's records.
struct SurveyPoint {
    std::string name;
    std::string code;
    ExactDecimal north;
    ExactDecimal east;
    ExactDecimal height;
};

// What a reader produced, as the instrument's own files and as plain points.
struct SurveyTexts {
    std::string measurement;  // tagged records of a measurement file
    std::string coordinates;  // point lines of a coordinate file (thousandths)
    std::string plainPoints;  // name,X,Y,Z,code with the file's own decimals
    long long records = 0;    // records taken
    long long points = 0;     // points with coordinates
    long long skipped = 0;    // lines that do not follow the format
    long long firstSkippedLine = 0;
    std::string firstSkipped;
};

class SurveyRecords {
public:
    // The units of the records that follow (metres and ddd.mmss until set).
    void SetUnits(LengthUnit length, AngleUnit angle);

    void Station(std::string_view name, const std::optional<ExactDecimal>& instrumentHeight,
                 std::string_view code);
    // A backsight to name; with both angles it is a row of the angle-distance table.
    // False when an angle cannot be written.
    bool Backsight(std::string_view name, const std::optional<SurveyAngle>& azimuth,
                   const std::optional<SurveyAngle>& circle);
    // False when it holds no horizontal angle, or an angle cannot be written.
    bool Observation(const SurveyObservation& observation);
    void Point(const SurveyPoint& point);

    // A line that does not follow the format: counted, the first one kept.
    void Skip(long long lineNumber, std::string_view line);
    void Taken() { ++m_texts.records; }

    const SurveyTexts& Texts() const { return m_texts; }
    SurveyTexts TakeTexts() { return std::move(m_texts); }

private:
    void EmitUnits();
    void EmitPointLine(std::string_view tag, std::string_view name,
                       const std::optional<ExactDecimal>& height, std::string_view code);

    SurveyTexts m_texts;
    LengthUnit m_length = LengthUnit::Metre;
    AngleUnit m_angle = AngleUnit::Dms;
    bool m_unitsWritten = false;
};

}  // namespace vm
