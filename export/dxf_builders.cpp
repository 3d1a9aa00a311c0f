#include "export/dxf_builders.h"

#include "common/file_io.h"
#include "common/line_reader.h"
#include "common/number.h"
#include "common/text.h"
#include "export/dxf_cad.h"
#include "export/source_encoding.h"
#include "instrument/records.h"

namespace vm {
namespace {

// "XYZ X,Y,Z": the three values after the tag, the last one the rest of the line.
void ReadXyzRecord(const std::string& line, double& north, double& east, double& height) {
    north = AtoF(RecordField1(line));
    east = AtoF(RecordField2(line));
    height = AtoF(RecordRestAfterComma(line, 2));
}

// A measurement file's values are thousandths of the unit.
constexpr double kThousandthsPerMetre = 1000.0;

DxfBuild Finish(std::vector<DxfPoint> points, const DxfOptions& options,
                const EncodingCounts& counts) {
    DxfBuild build;
    build.sourceRead = true;
    build.pointCount = points.size();
    build.text = options.cadReady ? AssembleCadDxf(points) : AssembleDxf(points);
    build.status = EncodingStatus(counts);
    return build;
}

// The CAD-ready drawing declares GBK, so UTF-8 lines are converted first.
std::string SourceFor(std::string bytes, const DxfOptions& options, EncodingCounts& counts) {
    return options.cadReady ? SourceToGbk(bytes, counts) : bytes;
}

}  // namespace

std::vector<DxfPoint> DxfPointsFromCoordinates(const std::string& bytes) {
    std::vector<DxfPoint> points;
    LineReader reader(bytes);
    std::string piece;
    while (reader.Next(piece)) {
        const std::string line = CleanPiece(piece);
        const long long c1 = FindChar(line, ',', 0);
        const long long c2 = FindChar(line, ',', c1 + 1);
        const long long c3 = FindChar(line, ',', c2 + 1);
        const long long c4 = FindChar(line, ',', c3 + 1);
        if (c1 < 0 || c2 < 0 || c3 < 0 || c4 < 0)
            continue;  // not a coordinate line
        DxfPoint p;
        p.label = Mid(line, 0, c1);
        p.y = AtoF(Mid(line, c1 + 1, c2 - c1 - 1));
        p.x = AtoF(Mid(line, c2 + 1, c3 - c2 - 1));
        p.z = AtoF(Mid(line, c3 + 1, c4 - c3 - 1));
        points.push_back(std::move(p));
    }
    return points;
}

std::vector<DxfPoint> DxfPointsFromMeasurement(const std::string& bytes,
                                               const std::string& prefix) {
    std::vector<DxfPoint> points;
    LineReader reader(bytes);
    std::string piece;
    std::string previous;
    while (reader.Next(piece)) {
        std::string line = CleanPiece(piece);
        if (RecordTag(line) == "XYZ") {
            DxfPoint p;
            ReadXyzRecord(line, p.y, p.x, p.z);
            p.label = prefix + std::to_string(points.size() + 1) + PrecedingLineName(previous);
            points.push_back(std::move(p));
        }
        previous = std::move(line);
    }
    return points;
}

DxfBuild BuildDxfFromCoordinates(const std::string& workFilePath, const DxfOptions& options) {
    std::string bytes;
    if (!ReadFileBytes(workFilePath, bytes)) {
        DxfBuild failed;
        failed.messages.push_back({"Open file failed!", ""});
        return failed;
    }
    EncodingCounts counts;
    return Finish(DxfPointsFromCoordinates(SourceFor(std::move(bytes), options, counts)), options,
                  counts);
}

DxfBuild BuildDxfFromMeasurement(const std::string& workFilePath, const std::string& prefix,
                                 const DxfOptions& options) {
    std::string bytes;
    FileError error;
    if (!ReadFileBytes(workFilePath, bytes, &error)) {
        DxfBuild failed;
        failed.status = "Open c:\\tempfilepath.txt failed!";
        // The status line alone is easily missed once no "Save OK" follows.
        failed.messages.push_back({error.message, ""});
        return failed;
    }
    EncodingCounts counts;
    const std::string source = SourceFor(std::move(bytes), options, counts);
    EncodingCounts prefixCounts;  // the prefix is no line of the source
    std::vector<DxfPoint> points =
        DxfPointsFromMeasurement(source, SourceFor(prefix, options, prefixCounts));
    counts.replaced += prefixCounts.replaced;
    if (options.metres) {
        for (DxfPoint& p : points) {
            p.x /= kThousandthsPerMetre;
            p.y /= kThousandthsPerMetre;
            p.z /= kThousandthsPerMetre;
        }
    }
    return Finish(std::move(points), options, counts);
}

}  // namespace vm
