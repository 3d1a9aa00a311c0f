#include "export/dxf_builders.h"

#include <cstring>

#include "common/decimal_text.h"
#include "common/piece_walker.h"
#include "common/string_sink.h"
#include "export/dxf_cad.h"
#include "instrument/records.h"

namespace vm {
namespace {

// A measurement file's values are thousandths of the unit.
constexpr double kThousandthsPerMetre = 1000.0;

std::string_view Between(const char* comma, const char* next) {
    return std::string_view(comma + 1, static_cast<size_t>(next - comma - 1));
}

// Whether x, y and z (in metres) can be drawn; the line is counted when not.
bool Drawable(double x, double y, double z, SkippedRecords* skipped, long long line,
              std::string_view text) {
    if (IsUsableCoordinate(x) && IsUsableCoordinate(y) && IsUsableCoordinate(z))
        return true;
    if (skipped)
        skipped->Add(line, text);
    return false;
}

// Calls visit(label, x, y, z) for every line with at least four commas and
// usable values.
template <typename Visit>
void VisitCoordinatePoints(std::string_view bytes, SkippedRecords* skipped, Visit&& visit) {
    PieceWalker pieces(bytes);
    std::string_view raw;
    std::string scratch;
    while (pieces.Next(raw)) {
        const std::string_view line = CleanedPiece(raw, scratch);
        const char* end = line.data() + line.size();
        const char* commas[4];
        const char* p = line.data();
        bool point = true;
        for (const char*& comma : commas) {
            comma =
                p < end
                    ? static_cast<const char*>(std::memchr(p, ',', static_cast<size_t>(end - p)))
                    : nullptr;
            if (!comma) {
                point = false;  // not a coordinate line
                break;
            }
            p = comma + 1;
        }
        if (!point)
            continue;
        const std::string_view label(line.data(), static_cast<size_t>(commas[0] - line.data()));
        const double x = ReadDecimal(Between(commas[1], commas[2]));
        const double y = ReadDecimal(Between(commas[0], commas[1]));
        const double z = ReadDecimal(Between(commas[2], commas[3]));
        if (Drawable(x, y, z, skipped, pieces.Line(), line))
            visit(label, x, y, z);
    }
}

// Calls visit(label, x, y, z) for every "XYZ" record, its values divided by divisor.
template <typename Visit>
void VisitMeasurementPoints(std::string_view bytes, const std::string& prefix, double divisor,
                            SkippedRecords* skipped, Visit&& visit) {
    PieceWalker pieces(bytes);
    std::string_view raw;
    std::string scratch;
    std::string line;
    std::string previous;
    std::string label;
    size_t count = 0;
    while (pieces.Next(raw)) {
        line.assign(CleanedPiece(raw, scratch));
        if (RecordTag(line) == "XYZ") {
            const double north = ReadDecimal(RecordField1(line));
            const double east = ReadDecimal(RecordField2(line));
            const double height = ReadDecimal(RecordRestAfterComma(line, 2));
            // The file's values are millimetres.
            if (Drawable(east / 1000, north / 1000, height / 1000, skipped, pieces.Line(), line)) {
                label = prefix + std::to_string(++count) + PrecedingLineName(previous);
                visit(label, east / divisor, north / divisor, height / divisor);
            }
        }
        std::swap(previous, line);
    }
}

template <typename Visit>
void VisitPoints(const DxfSource& source, Visit&& visit) {
    if (!source.measurement)
        return VisitCoordinatePoints(source.bytes, source.skipped, visit);
    const double divisor = source.options.metres ? kThousandthsPerMetre : 1.0;
    VisitMeasurementPoints(source.bytes, source.prefix, divisor, source.skipped, visit);
}

// Head, the entities of every point, tail; a CAD-ready drawing first takes a
// pass for the extent its HEADER states.
template <typename Sink>
size_t WriteDrawing(const DxfSource& source, Sink& out) {
    if (source.options.cadReady) {
        DxfExtent extent;
        DxfSource uncounted = source;  // the skipped points are counted by the drawing's pass
        uncounted.skipped = nullptr;
        VisitPoints(uncounted,
                    [&](std::string_view, double x, double y, double z) { extent.Add(x, y, z); });
        out.Append(CadSections(extent));
    }
    out.Append(DxfHead());
    size_t points = 0;
    VisitPoints(source, [&](std::string_view label, double x, double y, double z) {
        const size_t room = DxfPointRoom(label.size());
        if (room <= StreamedFile::kBufferSize)
            out.Added(WriteDxfPoint(out.Room(room), label, x, y, z));
        else
            out.Append(FormatDxfPoint({x, y, z, std::string(label)}));
        ++points;
    });
    out.Append(DxfTail());
    return points;
}

std::vector<DxfPoint> Collect(const DxfSource& source) {
    std::vector<DxfPoint> points;
    VisitPoints(source, [&](std::string_view label, double x, double y, double z) {
        points.push_back({x, y, z, std::string(label)});
    });
    return points;
}

}  // namespace

std::vector<DxfPoint> DxfPointsFromCoordinates(const std::string& bytes) {
    DxfSource source;
    source.bytes = bytes;
    return Collect(source);
}

std::vector<DxfPoint> DxfPointsFromMeasurement(const std::string& bytes,
                                               const std::string& prefix) {
    DxfSource source;
    source.bytes = bytes;
    source.measurement = true;
    source.prefix = prefix;
    return Collect(source);
}

size_t WriteDxfDrawing(const DxfSource& source, StreamedFile& out) {
    return WriteDrawing(source, out);
}

std::string DxfDrawingText(const DxfSource& source) {
    std::string text;
    StringSink sink(text);
    WriteDrawing(source, sink);
    return text;
}

}  // namespace vm
