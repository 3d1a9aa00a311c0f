#include "export/dxf_export.h"

#include "common/file_io.h"

namespace vm {

DxfExportResult ExportDxf(const DxfExportRequest& request) {
    const DxfBuild build =
        request.fileType == kDxfMeasurementFile
            ? BuildDxfFromMeasurement(request.workFilePath, request.labelPrefix, request.options)
            : BuildDxfFromCoordinates(request.workFilePath, request.options);
    DxfExportResult result;
    result.status = build.status;
    result.messages = build.messages;
    if (!build.sourceRead)
        return result;

    FileError error;
    if (!WriteFileAtomic(request.targetPath, build.text, &error)) {
        result.messages.push_back({error.message, ""});
        return result;
    }
    result.saved = true;
    result.pointCount = build.pointCount;
    result.messages.push_back({request.targetPath, "Save OK"});
    return result;
}

}  // namespace vm
