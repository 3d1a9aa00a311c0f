#include "instrument/measurement_conversion.h"

#include "common/file_io.h"
#include "common/text.h"
#include "instrument/arithmetic.h"
#include "instrument/conversion_messages.h"
#include "instrument/file_pieces.h"
#include "instrument/number_text.h"
#include "instrument/records.h"

namespace vm {
namespace {

constexpr char kAngleDistanceHeader[] = "PT#\t\tHR/HL\t\tHD\t\tVH\t\tPCode\r\n";
constexpr char kAngleHeader[] = "PT#\t\tHR/HL\t\tHV\t\t\tPCode\r\n";

double Number(const std::string& field) {
    return ReadNumber(field, 0, field.size());
}

// Walks the trimmed lines of a measurement file and builds the three outputs.
// The units, the preceding line, the running code and both counters carry from
// line to line; the row counter runs across all three outputs.
class MeasurementConverter {
public:
    explicit MeasurementConverter(const MeasurementOptions& options) : m_options(options) {}

    void AddPiece(const std::string& piece) {
        const std::string line = CleanPiece(piece);
        const std::string tag = RecordTag(line);
        if (tag == "UNITS") {
            ReadUnitsRecord(line, m_units);
        } else if (tag == "XYZ" && m_options.coordinates) {
            AddCoordinateRow(line);
        } else if (tag == "BKB" && m_options.angleDistance) {
            AddCheckRow(line);
        } else if ((tag == "HD" || tag == "SD") && m_options.angleDistance) {
            AddDistanceRow(line, tag == "SD");
        } else if (tag == "HV" && m_options.angles) {
            AddAngleRow(line);
        }
        m_previous = line;
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
        return out;
    }

private:
    bool InMils() const { return m_units.angleUnit == "mil"; }

    double Angle(const std::string& field) const {
        return ScaleAngle(Number(field), m_units.angleUnit);
    }

    // An angle with its unit in parentheses: three decimals for mils, four otherwise.
    void PutAngle(std::string& out, double angle) const {
        AppendFixed(out, angle, InMils() ? 3 : 4);
        out += '(';
        out += m_units.angleUnit;
        out += ')';
    }

    // A length followed directly by the distance unit.
    void PutLength(std::string& out, double length) const {
        AppendFixed(out, length, 3);
        out += m_units.distanceUnit;
    }

    static std::string NameOr(std::string name, long long counter) {
        return name.empty() ? std::to_string(counter) : name;
    }

    void AddCoordinateRow(const std::string& line) {
        const double x = ScaleLength(Number(RecordField1(line)));
        const double y = ScaleLength(Number(RecordField2(line)));
        const double z = ScaleLength(Number(RecordRestAfterComma(line, 2)));
        const std::string previousTag = RecordTag(m_previous);
        if (previousTag == "SS") {
            m_code = PrecedingLineCode(m_previous);
        } else if (previousTag == "BKB") {
            m_code.clear();
        }
        ++m_rows;
        ++m_points;
        m_lastName = NameOr(PrecedingLineName(m_previous), m_points);
        AppendPointLine(m_coordinates, m_lastName, x, y, z, m_code, m_options.layout, m_points);
    }

    void AddCheckRow(const std::string& line) {
        const std::string field1 = RecordField1(line);
        const std::string name = field1.substr(0, field1.find_last_not_of(' ') + 1);
        const double first = Angle(RecordField2(line));
        const double second = Angle(RecordRestAfterComma(line, 2));
        m_code = "Check";
        ++m_rows;
        std::string& out = m_angleDistance;
        out += NameOr(name, m_rows);
        out += "\t\t";
        PutAngle(out, first);
        out += '\t';
        PutAngle(out, second);
        out += "\t\t\t";
        out += m_code;
        out += "\r\n";
    }

    void AddDistanceRow(const std::string& line, bool slope) {
        const double horizontalAngle = Angle(RecordField1(line));
        double distance = ScaleLength(Number(RecordField2(line)));
        double heightDifference = ScaleLength(Number(RecordRestAfterComma(line, 2)));
        if (slope) {
            // Field 2 is the zenith angle, the rest the slope distance.
            const double zenith = AngleToRadians(Angle(RecordField2(line)), m_units.angleUnit);
            const double slopeDistance = heightDifference;
            distance = HorizontalComponent(slopeDistance, zenith);
            heightDifference = VerticalComponent(slopeDistance, zenith);
        }
        m_code = PrecedingLineCode(m_previous);
        ++m_rows;
        std::string& out = m_angleDistance;
        out += NameOr(PrecedingLineName(m_previous), m_rows);
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

    void AddAngleRow(const std::string& line) {
        const double horizontalAngle = Angle(RecordField1(line));
        const double verticalAngle = Angle(RecordRestAfterComma(line, 1));
        m_code = PrecedingLineCode(m_previous);
        ++m_rows;
        std::string& out = m_angles;
        out += NameOr(PrecedingLineName(m_previous), m_rows);
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
    std::string m_previous;
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
    FileError readError;
    const bool read = ForEachFilePiece(
        input.source, [&](const std::string& piece) { converter.AddPiece(piece); }, &readError);
    if (!read) {
        result.status = messages::kSourceOpenFailed;
        result.messages = {messages::kSourceOpenFailed};
        result.detail = readError.message;
        return result;
    }
    const MeasurementOutputs outputs = converter.Finish();
    // Written in this order; an output without rows leaves its target untouched.
    const std::pair<const std::string*, const std::string*> targets[] = {
        {&outputs.coordinates, &input.coordTarget},
        {&outputs.angleDistance, &input.angleDistTarget},
        {&outputs.angles, &input.angleTarget},
    };
    for (const auto& [text, path] : targets) {
        if (text->empty())
            continue;
        FileError writeError;
        if (!WriteFileAtomic(*path, *text, &writeError)) {
            result.messages = {messages::kTargetWriteFailed};
            result.messagesBeforeStatus = true;
            result.status = messages::kTargetOpenFailed;
            result.detail = writeError.message;
            return result;
        }
        result.filesWritten.push_back(*path);
    }
    result.ok = true;
    result.status = messages::kSaved;
    return result;
}

}  // namespace vm
