#include "export/dxf_export.h"

#include "common/distinct_files.h"
#include "common/file_io.h"
#include "common/source_bytes.h"
#include "common/text.h"
#include "common/user_paths.h"
#include "export/source_encoding.h"
#include "instrument/other_makers_export.h"

namespace vm {
namespace {

// The work file could not be read: the file and the reason, like every other
// unreadable file (the measurement drawing's status line kept before it).
void ReportUnreadable(const DxfExportRequest& request, const FileError& error,
                      DxfExportResult& result) {
    if (request.fileType == kDxfMeasurementFile)
        result.status = "Open c:\\tempfilepath.txt failed!";
    result.messages.push_back({error.message, ""});
}

}  // namespace

DxfExportResult ExportDxf(const DxfExportRequest& request) {
    DxfExportResult result;
    const std::string problem = SameFileProblem(request.workFilePath, {request.targetPath});
    if (!problem.empty()) {
        result.messages.push_back({problem, ""});
        return result;
    }
    SourceBytes work;
    FileError error;
    if (!work.Open(request.workFilePath, &error)) {
        ReportUnreadable(request, error, result);
        return result;
    }
    DxfSource source;
    source.bytes = work.View();
    source.measurement = request.fileType == kDxfMeasurementFile;
    source.prefix =
        source.measurement ? WithoutControlCharacters(request.labelPrefix) : std::string();
    source.options = request.options;
    // Another maker's file is drawn from the points or records it is read into.
    ExportSourceText other;
    if (request.format != SourceFormat::Own) {
        other = OtherMakersExportText(
            source.bytes, request.format,
            source.measurement ? ExportReading::Measurement : ExportReading::Points);
        if (other.failed) {
            result.messages.push_back({other.report, ""});
            return result;
        }
        if (other.converted)
            source.bytes = other.text;
    }
    SkippedRecords skipped;
    source.skipped = &skipped;
    // The CAD-ready drawing declares GBK, so UTF-8 lines are converted first.
    EncodingCounts counts;
    std::string gbk;
    if (request.options.cadReady) {
        gbk = SourceToGbk(source.bytes, counts);
        source.bytes = gbk;
        EncodingCounts prefixCounts;  // the prefix is no line of the source
        source.prefix = SourceToGbk(source.prefix, prefixCounts);
        counts.replaced += prefixCounts.replaced;
    }
    result.status = EncodingStatus(counts);
    if (!other.report.empty())
        result.status += (result.status.empty() ? "" : "\r\n") + other.report;

    StreamedFile target;
    size_t points = 0;
    if (target.Open(request.targetPath))
        points = WriteDxfDrawing(source, target);
    if (points == 0 && target.IsOpen()) {
        result.messages.push_back({NoRecordsMessage("DXF 图形", request.targetPath), ""});
        return result;  // the drawing is not made
    }
    if (!target.Commit(&error)) {
        result.messages.push_back({error.message, ""});
        return result;
    }
    result.saved = true;
    result.pointCount = points;
    if (skipped.Count() > 0)
        result.status += (result.status.empty() ? "" : "；") + skipped.Report();
    result.messages.push_back({request.targetPath, "Save OK"});
    return result;
}

DxfExportRequest PaneDxfRequest(const std::string& targetPath, long long fileType,
                                const DxfOptions& options) {
    DxfExportRequest request;
    request.workFilePath = WorkFilePath();
    request.targetPath = targetPath;
    request.fileType = fileType;
    request.labelPrefix = LoadDxfLabelPrefix(UserIniPath());
    request.options = options;
    request.format = SourceFormat::Auto;
    return request;
}

}  // namespace vm
