#include "export/point_set.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <string_view>

#include "common/line_reader.h"
#include "common/text.h"
#include "instrument/download_kind.h"
#include "instrument/other_makers_export.h"
#include "instrument/records.h"
#include "universal/layout_records.h"
#include "universal/universal_conversion.h"

namespace vm {
namespace {

constexpr double kThousandth = 0.001;

// The number at the start of a field, read as the C library reads it in the
// "C" locale (leading blanks skipped, the longest valid prefix taken); false
// when no number starts there or it overflows.
bool ReadNumber(std::string_view field, double& value) {
    size_t i = 0;
    while (i < field.size() && (field[i] == ' ' || field[i] == '\t'))
        ++i;
    if (i < field.size() && field[i] == '+' && (i + 1 == field.size() || field[i + 1] != '-'))
        ++i;
    const char* end = field.data() + field.size();
    const std::from_chars_result r = std::from_chars(field.data() + i, end, value);
    return r.ec == std::errc() && std::isfinite(value);
}

// A coordinate field is a point's only when it starts with a number (not
// "inf" or "nan") that is finite: a column header ("X") or an overflowing
// value would otherwise be drawn at 0 or at infinity and spoil the extent.
bool ReadCoordinate(std::string_view field, double& value) {
    size_t i = 0;
    while (i < field.size() && (field[i] == ' ' || field[i] == '\t'))
        ++i;
    if (i < field.size() && (field[i] == '+' || field[i] == '-'))
        ++i;
    if (i < field.size() && field[i] == '.')
        ++i;
    if (i >= field.size() || field[i] < '0' || field[i] > '9')
        return false;
    return ReadNumber(field, value);
}

// A height that is no number is drawn at 0.
double ReadHeight(std::string_view field) {
    double value = 0;
    return ReadNumber(field, value) ? value : 0;
}

// The field between two separator positions (npos: none).
std::string_view Between(std::string_view line, size_t after, size_t before) {
    return line.substr(after + 1, before - after - 1);
}

class PointSetBuilder {
public:
    explicit PointSetBuilder(PointFileKind kind) { m_set.kind = kind; }

    void AddPoint(PreviewPoint point) {
        m_set.extent.Add(point.east, point.north);
        if (point.station)
            ++m_set.stationCount;
        m_set.points.push_back(std::move(point));
    }

    void AddOther(size_t line, const std::string& text) {
        if (text.find_first_not_of(" \t") == std::string::npos)
            return;
        if (m_set.otherLines.size() < kMaxListedLines)
            m_set.otherLines.push_back({line, text});
        ++m_set.otherLineCount;
    }

    PointSet Take() { return std::move(m_set); }

private:
    PointSet m_set;
};

PointSet ReadCoordinateLines(const std::string& bytes) {
    PointSetBuilder set(PointFileKind::Coordinates);
    LineReader reader(bytes);
    std::string piece;
    for (size_t lineNo = 1; reader.Next(piece); ++lineNo) {
        const std::string text = StripLineEnds(piece);
        const std::string_view line(text);
        size_t comma[4] = {};
        size_t found = 0;
        for (size_t at = 0; found < 4; ++found, ++at) {
            at = line.find(',', at);
            if (at == std::string_view::npos)
                break;
            comma[found] = at;
        }
        PreviewPoint p;
        if (found < 4 || !ReadCoordinate(Between(line, comma[0], comma[1]), p.north) ||
            !ReadCoordinate(Between(line, comma[1], comma[2]), p.east)) {
            set.AddOther(lineNo, text);
            continue;
        }
        p.height = ReadHeight(Between(line, comma[2], comma[3]));
        p.name = std::string(line.substr(0, comma[0]));
        p.code = std::string(line.substr(comma[3] + 1));
        p.line = lineNo;
        set.AddPoint(std::move(p));
    }
    return set.Take();
}

// "XYZ" records take name and code from the line before them; an "XYZ" after
// a "STN" line is the station the instrument stood on. Their values are the
// instrument's thousandths, shown in the distance unit as the conversions write them.
PointSet ReadMeasurementRecords(const std::string& bytes) {
    PointSetBuilder set(PointFileKind::Measurement);
    LineReader reader(bytes);
    std::string piece;
    std::string previous;
    std::string code;
    size_t count = 0;
    for (size_t lineNo = 1; reader.Next(piece); ++lineNo) {
        std::string line = CleanPiece(piece);
        PreviewPoint p;
        if (RecordTag(line) != "XYZ" || !ReadCoordinate(RecordField1(line), p.north) ||
            !ReadCoordinate(RecordField2(line), p.east)) {
            set.AddOther(lineNo, line);
            previous = std::move(line);
            continue;
        }
        const std::string previousTag = RecordTag(previous);
        if (previousTag == "SS")
            code = PrecedingLineCode(previous);
        else if (previousTag == "BKB")
            code.clear();
        p.height = ReadHeight(RecordRestAfterComma(line, 2));
        p.north *= kThousandth;
        p.east *= kThousandth;
        p.height *= kThousandth;
        p.name = PrecedingLineName(previous);
        if (p.name.empty())
            p.name = std::to_string(count + 1);
        p.code = code;
        p.station = previousTag == "STN";
        p.line = lineNo;
        ++count;
        set.AddPoint(std::move(p));
        previous = std::move(line);
    }
    return set.Take();
}

PointSet ReadLayoutRecords(const std::string& bytes, const LayoutColumns& layout) {
    PointSetBuilder set(PointFileKind::Layout);
    LayoutRecordReader reader(bytes);
    std::string_view view;
    for (size_t lineNo = 1; reader.Next(view); ++lineNo) {
        const std::string record(view);
        const RecordFields fields = SplitRecord(record, layout.separator);
        const ColumnLayout& c = layout.columns;
        PreviewPoint p;
        if (!ReadCoordinate(fields[size_t(NormalizedPosition(c.x))], p.north) ||
            !ReadCoordinate(fields[size_t(NormalizedPosition(c.y))], p.east)) {
            set.AddOther(lineNo, record);
            continue;
        }
        p.height = ReadHeight(fields[size_t(NormalizedPosition(c.z))]);
        p.name = fields[size_t(NormalizedPosition(c.pointNumber))];
        if (layout.attributeEnabled)
            p.code = fields[size_t(NormalizedPosition(c.attribute))];
        p.line = lineNo;
        set.AddPoint(std::move(p));
    }
    return set.Take();
}

// Trimmed of leading spaces, the line starts with the word (followed by a space).
bool StartsWithWord(std::string_view line, std::string_view word) {
    const size_t start = line.find_first_not_of(' ');
    if (start == std::string_view::npos)
        return false;
    line.remove_prefix(start);
    return line.size() > word.size() && line.substr(0, word.size()) == word &&
           line[word.size()] == ' ';
}

// The record after the first "ATMOS" line decides, as for a download; a file
// without one is still a measurement file when it holds "XYZ" records (a part
// of a download, a file cut by hand). Only the lines needed are looked at.
bool LooksLikeMeasurement(const std::string& bytes) {
    LineReader reader(bytes);
    std::string piece;
    std::string atmos;
    bool xyz = false;
    while (reader.Next(piece)) {
        std::string line = StripLineEnds(piece);
        if (!atmos.empty())
            return ClassifyDownloadedText({atmos, line}) == DownloadKind::Measurement;
        if (StartsWithWord(line, "ATMOS"))
            atmos = std::move(line);
        else
            xyz = xyz || StartsWithWord(line, "XYZ");
    }
    return xyz;
}

std::string Fixed3(double v) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.3f", v);
    return buffer;
}

}  // namespace

void PointExtent::Add(double east, double north) {
    if (empty) {
        minEast = maxEast = east;
        minNorth = maxNorth = north;
        empty = false;
        return;
    }
    minEast = std::min(minEast, east);
    maxEast = std::max(maxEast, east);
    minNorth = std::min(minNorth, north);
    maxNorth = std::max(maxNorth, north);
}

PointSet ReadPointSet(const std::string& bytes, PointFileKind kind, const LayoutColumns& layout) {
    // Another maker's file shows the points it is read into.
    if (kind == PointFileKind::Auto) {
        const ExportSourceText other =
            OtherMakersExportText(bytes, SourceFormat::Auto, ExportReading::Points);
        if (other.converted)
            return ReadCoordinateLines(other.text);
    }
    if (kind == PointFileKind::Auto)
        kind =
            LooksLikeMeasurement(bytes) ? PointFileKind::Measurement : PointFileKind::Coordinates;
    switch (kind) {
        case PointFileKind::Measurement:
            return ReadMeasurementRecords(bytes);
        case PointFileKind::Layout:
            return ReadLayoutRecords(bytes, layout);
        default:
            return ReadCoordinateLines(bytes);
    }
}

std::string PointSetSummary(const PointSet& set) {
    std::string text = "点数: " + std::to_string(set.points.size());
    if (set.stationCount > 0)
        text += " (测站 " + std::to_string(set.stationCount) + ")";
    if (!set.extent.empty) {
        const PointExtent& e = set.extent;
        text += "  范围: X " + Fixed3(e.minNorth) + " – " + Fixed3(e.maxNorth) + ", Y " +
                Fixed3(e.minEast) + " – " + Fixed3(e.maxEast);
    }
    text += "  非点行: " + std::to_string(set.otherLineCount);
    return text;
}

}  // namespace vm
