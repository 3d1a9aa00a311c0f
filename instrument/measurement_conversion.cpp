#include "instrument/measurement_conversion.h"

#include <string_view>

#include "common/file_io.h"
#include "common/text.h"
#include "instrument/arithmetic.h"
#include "instrument/conversion_messages.h"
#include "instrument/conversion_outputs.h"
#include "instrument/file_pieces.h"
#include "instrument/number_text.h"
#include "instrument/records.h"

namespace vm {
namespace {

constexpr char kAngleDistanceHeader[] = "PT#\t\tHR/HL\t\tHD\t\tVH\t\tPCode\r\n";
constexpr char kAngleHeader[] = "PT#\t\tHR/HL\t\tHV\t\t\tPCode\r\n";

// CleanPiece into a reused buffer: CR and LF removed, then the spaces at both
// ends. Pieces nearly always carry their line end last, so the copy is one
// stretch; anything else takes the general way.
void CleanPieceInto(const std::string& piece, std::string& line) {
    size_t end = piece.size();
    while (end > 0 && (piece[end - 1] == '\n' || piece[end - 1] == '\r'))
        --end;
    for (size_t i = 0; i < end; ++i) {
        if (piece[i] == '\r' || piece[i] == '\n') {
            line = CleanPiece(piece);
            return;
        }
    }
    size_t begin = 0;
    while (begin < end && piece[begin] == ' ')
        ++begin;
    while (end > begin && piece[end - 1] == ' ')
        --end;
    line.assign(piece, begin, end - begin);
}

// Walks the trimmed lines of a measurement file and builds the three outputs.
// The units, the preceding line, the running code and both counters carry from
// line to line; the row counter runs across all three outputs.
class MeasurementConverter {
public:
    explicit MeasurementConverter(const MeasurementOptions& options) : m_options(options) {}

    void AddPiece(const std::string& piece) {
        CleanPieceInto(piece, m_line);
        const RecordSplit split(m_line);
        const std::string_view tag = split.Tag(m_line);
        if (tag == "UNITS") {
            ReadUnitsRecord(m_line, m_units);
            m_inMils = m_units.angleUnit == "mil";
        } else if (tag == "XYZ" && m_options.coordinates) {
            AddCoordinateRow(split);
        } else if (tag == "BKB" && m_options.angleDistance) {
            AddCheckRow(split);
        } else if ((tag == "HD" || tag == "SD") && m_options.angleDistance) {
            AddDistanceRow(split, tag == "SD");
        } else if (tag == "HV" && m_options.angles) {
            AddAngleRow(split);
        }
        m_previous.swap(m_line);
        m_previousSplit = split;
    }

    MeasurementOutputs Finish() {
        MeasurementOutputs out;
        if (!m_coordinates.empty()) {
            m_coordinates.insert(0, LayoutHeader(m_options.layout, m_points, m_lastName));
        }
        if (!m_angleDistance.empty())
            m_angleDistance.insert(0, kAngleDistanceHeader);
        if (!m_angles.empty())
            m_angles.insert(0, kAngleHeader);
        out.coordinates.swap(m_coordinates);
        out.angleDistance.swap(m_angleDistance);
        out.angles.swap(m_angles);
        out.points = m_points;
        return out;
    }

private:
    double Number(FieldRange range) const { return ReadNumber(m_line, range.begin, range.end); }
    double Length(FieldRange range) const { return ScaleLength(Number(range)); }
    double Angle(FieldRange range) const { return ScaleAngle(Number(range), m_units.angleUnit); }

    // An angle with its unit in parentheses: three decimals for mils, four otherwise.
    void PutAngle(std::string& out, double angle) const {
        AppendFixed(out, angle, m_inMils ? 3 : 4);
        out += '(';
        out += m_units.angleUnit;
        out += ')';
    }

    // A length followed directly by the distance unit.
    void PutLength(std::string& out, double length) const {
        AppendFixed(out, length, 3);
        out += m_units.distanceUnit;
    }

    // The name from the preceding line, or the counter when it has none.
    void PutName(std::string& out, FieldRange name, long long counter) const {
        while (name.end > name.begin && m_previous[name.end - 1] == ' ')
            --name.end;
        if (name.end > name.begin) {
            out.append(m_previous, name.begin, name.end - name.begin);
        } else {
            out += std::to_string(counter);
        }
    }

    void TakeCodeFromPrecedingLine() {
        m_code = TrimmedField(m_previous, m_previousSplit.RestAfterComma(2));
    }

    void AddCoordinateRow(const RecordSplit& split) {
        const double x = Length(split.Field1());
        const double y = Length(split.Field2());
        const double z = Length(split.RestAfterComma(2));
        const std::string_view previousTag = m_previousSplit.Tag(m_previous);
        if (previousTag == "SS") {
            TakeCodeFromPrecedingLine();
        } else if (previousTag == "BKB") {
            m_code.clear();
        }
        ++m_rows;
        ++m_points;
        m_lastName.clear();
        PutName(m_lastName, m_previousSplit.Field1(), m_points);
        AppendPointLine(m_coordinates, m_lastName, x, y, z, m_code, m_options.layout, m_points);
    }

    void AddCheckRow(const RecordSplit& split) {
        const std::string name = TrimmedField(m_line, split.Field1());
        const double first = Angle(split.Field2());
        const double second = Angle(split.RestAfterComma(2));
        m_code = "Check";
        ++m_rows;
        std::string& out = m_angleDistance;
        out += name.empty() ? std::to_string(m_rows) : name;
        out += "\t\t";
        PutAngle(out, first);
        out += '\t';
        PutAngle(out, second);
        out += "\t\t\t";
        out += m_code;
        out += "\r\n";
    }

    void AddDistanceRow(const RecordSplit& split, bool slope) {
        const double horizontalAngle = Angle(split.Field1());
        double distance = Length(split.Field2());
        double heightDifference = Length(split.RestAfterComma(2));
        if (slope) {
            // Field 2 is the zenith angle, the rest the slope distance.
            const double zenith = AngleToRadians(Angle(split.Field2()), m_units.angleUnit);
            const double slopeDistance = heightDifference;
            distance = HorizontalComponent(slopeDistance, zenith);
            heightDifference = VerticalComponent(slopeDistance, zenith);
        }
        TakeCodeFromPrecedingLine();
        ++m_rows;
        std::string& out = m_angleDistance;
        PutName(out, m_previousSplit.Field1(), m_rows);
        out += "\t\t";
        PutAngle(out, horizontalAngle);
        out += '\t';
        PutLength(out, distance);
        out += "\t\t";
        PutLength(out, heightDifference);
        out += "\t\t";
        out += m_code;
        out += "\r\n";
    }

    void AddAngleRow(const RecordSplit& split) {
        const double horizontalAngle = Angle(split.Field1());
        const double verticalAngle = Angle(split.RestAfterComma(1));
        TakeCodeFromPrecedingLine();
        ++m_rows;
        std::string& out = m_angles;
        PutName(out, m_previousSplit.Field1(), m_rows);
        out += "\t\t";
        PutAngle(out, horizontalAngle);
        out += "\t\t";
        PutAngle(out, verticalAngle);
        out += "\t\t";
        out += m_code;
        out += "\r\n";
    }

    MeasurementOptions m_options;
    RecordUnits m_units;
    bool m_inMils = false;
    std::string m_line;
    std::string m_previous;                      // empty before the first line
    RecordSplit m_previousSplit{std::string()};  // its separators
    std::string m_code;
    long long m_rows = 0;    // every row of the three outputs
    long long m_points = 0;  // rows of the coordinate output; wide, never wraps
    std::string m_lastName;
    std::string m_coordinates;
    std::string m_angleDistance;
    std::string m_angles;
};

bool MissingTarget(const MeasurementConversionInput& input) {
    const MeasurementOptions& o = input.options;
    return (o.coordinates && input.coordTarget.empty()) ||
           (o.angleDistance && input.angleDistTarget.empty()) ||
           (o.angles && input.angleTarget.empty());
}

}  // namespace

MeasurementOutputs ConvertMeasurementText(const std::string& bytes,
                                          const MeasurementOptions& options) {
    MeasurementConverter converter(options);
    ForEachPiece(bytes, [&](const std::string& piece) { converter.AddPiece(piece); });
    return converter.Finish();
}

ConversionResult ConvertMeasurementFile(const MeasurementConversionInput& input) {
    ConversionResult result;
    if (MissingTarget(input)) {
        result.status = messages::kNoTarget;
        return result;
    }
    MeasurementConverter converter(input.options);
    if (!ReadConversionSource(
            input.source, [&](const std::string& piece) { converter.AddPiece(piece); }, result)) {
        return result;
    }
    const MeasurementOutputs outputs = converter.Finish();
    // The ticked outputs, written in this order; one without rows is not created.
    const MeasurementOptions& o = input.options;
    std::vector<ConversionOutput> ticked;
    if (o.coordinates)
        ticked.push_back(
            {"坐标转换", input.coordTarget, &outputs.coordinates, outputs.points, true});
    if (o.angleDistance)
        ticked.push_back({"角度距离", input.angleDistTarget, &outputs.angleDistance,
                          TableRows(outputs.angleDistance), false});
    if (o.angles)
        ticked.push_back(
            {"角度", input.angleTarget, &outputs.angles, TableRows(outputs.angles), false});
    if (ticked.empty()) {
        result.status = "没有勾选要生成的文件，什么也没有写入";
        return result;
    }
    if (!WriteConversionOutputs(ticked, result))
        return result;
    const std::string report = OutputsReport(result);
    result.status = result.filesWritten.empty() ? report : messages::kSaved + ("\r\n" + report);
    return result;
}

}  // namespace vm
