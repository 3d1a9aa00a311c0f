#include "instrument/measurement_conversion.h"

#include "instrument/other_makers_source.h"

#include <charconv>
#include <vector>
#include <string_view>

#include "common/decimal_text.h"
#include "common/piece_walker.h"
#include "common/source_bytes.h"
#include "common/streamed_file.h"
#include "common/string_sink.h"

#include "common/file_io.h"
#include "common/text.h"
#include "instrument/arithmetic.h"
#include "instrument/conversion_messages.h"
#include "instrument/conversion_outputs.h"
#include "instrument/file_pieces.h"
#include "instrument/other_makers_source.h"
#include "instrument/records.h"

namespace vm {
namespace {

constexpr char kAngleDistanceHeader[] = "PT#\t\tHR/HL\t\tHD\t\tVH\t\tPCode\r\n";
constexpr char kAngleHeader[] = "PT#\t\tHR/HL\t\tHV\t\t\tPCode\r\n";

// CleanPiece into a reused buffer: CR and LF removed, then the spaces at both
// ends. Pieces nearly always carry their line end last, so the copy is one
// stretch; anything else takes the general way.
void CleanPieceInto(std::string_view raw, std::string& line) {
    std::string_view text = WithoutLineEnd(raw);
    for (const char c : text) {
        if (c == '\r' || c == '\n') {
            line = CleanPiece(std::string(raw));
            return;
        }
    }
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    line.assign(text);
}

// One output in memory: its text, the header put in front at the end.
struct TextOutput : StringSink {
    TextOutput() : StringSink(text) {}
    void Begin() {}
    std::string text;
};

// One output file, created when its first row comes, so that an output
// without rows leaves its target untouched. A file that cannot be created
// takes no text, and its commit reports why.
struct FileOutput : StreamedFile {
    void Begin() {
        if (path)
            Open(*path);
    }
    const std::string* path = nullptr;
};

// Walks the trimmed lines of a measurement file and builds the three outputs.
// The units, the preceding line, the running code and both counters carry from
// line to line; the row counter runs across all three outputs.
template <typename Output>
class MeasurementConverter {
public:
    enum { kCoordinates, kAngleDistance, kAngles };

    MeasurementConverter(const MeasurementOptions& options, std::string coordinateHeader)
        : m_options(options), m_coordinateHeader(std::move(coordinateHeader)) {}

    void Walk(std::string_view bytes) {
        PieceWalker pieces(bytes);
        std::string_view raw;
        while (pieces.Next(raw))
            AddPiece(raw);
    }

    void AddPiece(std::string_view raw) {
        CleanPieceInto(raw, m_line);
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

    Output& Out(int k) { return m_outputs[k]; }
    bool HasRows(int k) const { return m_begun[k]; }
    long long Rows(int k) const { return m_outputRows[k]; }
    long long Points() const { return m_points; }
    const std::string& LastName() const { return m_lastName; }

private:
    // The output of a new row; its header goes first.
    Output& Row(int k) {
        ++m_outputRows[k];
        Output& out = m_outputs[k];
        if (!m_begun[k]) {
            m_begun[k] = true;
            out.Begin();
            out.Append(k == kCoordinates     ? std::string_view(m_coordinateHeader)
                       : k == kAngleDistance ? std::string_view(kAngleDistanceHeader)
                                             : std::string_view(kAngleHeader));
        }
        return out;
    }

    double Number(FieldRange range) const {
        return ReadDecimal(std::string_view(m_line).substr(range.begin, range.end - range.begin));
    }
    double Length(FieldRange range) const { return ScaleLength(Number(range)); }
    double Angle(FieldRange range) const { return ScaleAngle(Number(range), m_units.angleUnit); }

    static void PutFixed(Output& out, double value, int decimals) {
        out.Added(FormatFixed(value, decimals, out.Room(kFixedTextSize)));
    }

    // An angle with its unit in parentheses: three decimals for mils, four otherwise.
    void PutAngle(Output& out, double angle) const {
        PutFixed(out, angle, m_inMils ? 3 : 4);
        out.Append('(');
        out.Append(m_units.angleUnit);
        out.Append(')');
    }

    // A length followed directly by the distance unit.
    void PutLength(Output& out, double length) const {
        PutFixed(out, length, 3);
        out.Append(m_units.distanceUnit);
    }

    // The name from the preceding line, or the counter when it has none.
    std::string_view PrecedingName(FieldRange name, long long counter) {
        while (name.end > name.begin && m_previous[name.end - 1] == ' ')
            --name.end;
        if (name.end > name.begin)
            return std::string_view(m_previous).substr(name.begin, name.end - name.begin);
        const auto end =
            std::to_chars(m_counterText, m_counterText + sizeof m_counterText, counter);
        return std::string_view(m_counterText, static_cast<size_t>(end.ptr - m_counterText));
    }
    void PutName(Output& out, FieldRange name, long long counter) {
        out.Append(PrecedingName(name, counter));
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
        m_lastName = PrecedingName(m_previousSplit.Field1(), m_points);
        Output& out = Row(kCoordinates);
        out.Added(WritePointLine(out.Room(kMaxPointLine), m_lastName, x, y, z, m_code,
                                 m_options.layout, m_points));
    }

    void AddCheckRow(const RecordSplit& split) {
        const std::string name = TrimmedField(m_line, split.Field1());
        const double first = Angle(split.Field2());
        const double second = Angle(split.RestAfterComma(2));
        m_code = "Check";
        ++m_rows;
        Output& out = Row(kAngleDistance);
        out.Append(name.empty() ? std::to_string(m_rows) : name);
        out.Append(std::string_view("\t\t"));
        PutAngle(out, first);
        out.Append('\t');
        PutAngle(out, second);
        out.Append(std::string_view("\t\t\t"));
        out.Append(m_code);
        out.Append(std::string_view("\r\n"));
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
        Output& out = Row(kAngleDistance);
        PutName(out, m_previousSplit.Field1(), m_rows);
        out.Append(std::string_view("\t\t"));
        PutAngle(out, horizontalAngle);
        out.Append('\t');
        PutLength(out, distance);
        out.Append(std::string_view("\t\t"));
        PutLength(out, heightDifference);
        out.Append(std::string_view("\t\t"));
        out.Append(m_code);
        out.Append(std::string_view("\r\n"));
    }

    void AddAngleRow(const RecordSplit& split) {
        const double horizontalAngle = Angle(split.Field1());
        const double verticalAngle = Angle(split.RestAfterComma(1));
        TakeCodeFromPrecedingLine();
        ++m_rows;
        Output& out = Row(kAngles);
        PutName(out, m_previousSplit.Field1(), m_rows);
        out.Append(std::string_view("\t\t"));
        PutAngle(out, horizontalAngle);
        out.Append(std::string_view("\t\t"));
        PutAngle(out, verticalAngle);
        out.Append(std::string_view("\t\t"));
        out.Append(m_code);
        out.Append(std::string_view("\r\n"));
    }

    MeasurementOptions m_options;
    std::string m_coordinateHeader;
    RecordUnits m_units;
    bool m_inMils = false;
    std::string m_line;
    std::string m_previous;                      // empty before the first line
    RecordSplit m_previousSplit{std::string()};  // its separators
    std::string m_code;
    long long m_rows = 0;    // every row of the three outputs
    long long m_points = 0;  // rows of the coordinate output; wide, never wraps
    std::string m_lastName;
    char m_counterText[24] = {};
    Output m_outputs[3];
    bool m_begun[3] = {false, false, false};
    long long m_outputRows[3] = {0, 0, 0};
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
    MeasurementConverter<TextOutput> converter(options, std::string());
    converter.Walk(bytes);
    MeasurementOutputs out;
    std::string* texts[] = {&out.coordinates, &out.angleDistance, &out.angles};
    for (int k = 0; k < 3; ++k)
        texts[k]->swap(converter.Out(k).text);
    if (!out.coordinates.empty()) {
        out.coordinates.insert(
            0, LayoutHeader(options.layout, converter.Points(), converter.LastName()));
    }
    out.points = converter.Points();
    return out;
}

namespace {

// The coordinate output's header: for the layouts that need the point count
// and the last name, a first walk that writes nothing finds them.
std::string CoordinateHeader(std::string_view bytes, const MeasurementOptions& options) {
    if (!options.coordinates || LayoutHeader(options.layout, 0, std::string()).empty())
        return std::string();
    MeasurementOptions countOnly;
    countOnly.layout = options.layout;
    MeasurementConverter<FileOutput> count(countOnly, std::string());
    count.Walk(bytes);
    return LayoutHeader(options.layout, count.Points(), count.LastName());
}

}  // namespace

ConversionResult ConvertMeasurementFile(const MeasurementConversionInput& input) {
    ConversionResult result;
    if (MissingTarget(input)) {
        result.status = messages::kNoTarget;
        return result;
    }
    SourceBytes source;
    if (!OpenConversionSource(input.source, source, result))
        return result;
    // Another maker's file is converted through the instrument's records.
    OtherMakersSource other;
    if (!ReadConversionSource(source.View(), input.format, other, result))
        return result;
    const std::string_view bytes =
        other.format == SourceFormat::Own ? source.View() : other.texts.measurement;
    using Converter = MeasurementConverter<FileOutput>;
    Converter converter(input.options, CoordinateHeader(bytes, input.options));
    const std::string* paths[] = {&input.coordTarget, &input.angleDistTarget, &input.angleTarget};
    for (int k = 0; k < 3; ++k)
        converter.Out(k).path = paths[k];
    converter.Walk(bytes);
    // The ticked outputs, saved in this order; one without rows is not created.
    const MeasurementOptions& o = input.options;
    const bool ticked[] = {o.coordinates, o.angleDistance, o.angles};
    const char* names[] = {"坐标转换", "角度距离", "角度"};
    std::vector<ConversionOutput> outputs;
    for (int k = 0; k < 3; ++k) {
        if (ticked[k])
            outputs.push_back(
                {names[k], *paths[k], nullptr, converter.Rows(k), k == 0, &converter.Out(k)});
    }
    if (outputs.empty()) {
        result.status = "没有勾选要生成的文件，什么也没有写入";
        return result;
    }
    if (!WriteConversionOutputs(outputs, result))
        return result;
    const std::string report = OutputsReport(result);
    result.status = result.filesWritten.empty() ? report : messages::kSaved + ("\r\n" + report);
    if (other.format != SourceFormat::Own)
        result.status += "\r\n" + OtherMakersReport(other);
    return result;
}

}  // namespace vm
