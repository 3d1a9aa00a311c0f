#pragma once
// The DXF export: draws the work file the way the chosen file type reads it,
// writing the drawing as it is made, then reports "Save OK".
// Unlike a plain create-and-write, the target is replaced only once the whole
// drawing is on disk, and "Save OK" appears only when that succeeded: a work
// file that cannot be read or a target that cannot be written is reported and
// leaves the target as it was.

#include <string>
#include <vector>

#include "export/dxf_builders.h"
#include "export/dxf_settings.h"
#include "instrument/source_format.h"

namespace vm {

// A message box: text and title (empty title: the application's name).
struct DxfMessage {
    std::string text;
    std::string title;
};

struct DxfExportRequest {
    std::string workFilePath;  // the text pane as saved
    std::string targetPath;
    long long fileType = kDxfFileTypeDefault;  // 0 measurement; anything else coordinates
    std::string labelPrefix;                   // measurement labels only
    DxfOptions options;
    SourceFormat format = SourceFormat::Own;  // Auto or a name: another maker's file is read first
};

struct DxfExportResult {
    bool saved = false;
    size_t pointCount = 0;
    std::string status;                // for the main window's status line, "" to leave it
    std::vector<DxfMessage> messages;  // message boxes, in order
};

DxfExportResult ExportDxf(const DxfExportRequest& request);

// The request of 保存为DXF文件: the text pane as saved in the work file, the
// stored label prefix of the per-user settings, and the dialog's choices;
// another maker's file in the pane is recognised and read first.
DxfExportRequest PaneDxfRequest(const std::string& targetPath, long long fileType,
                                const DxfOptions& options);

}  // namespace vm
