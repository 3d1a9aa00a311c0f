#pragma once
// The two builders of the DXF export. Each reads the work file (the text pane
// as saved) and returns the complete DXF text:
//  - coordinates: lines "name,X,Y,Z,code..." with at least four commas;
//  - measurement: every "XYZ" record, named by the line before it and numbered.
// Numbers are drawn as they stand in the file, without the instrument's
// thousandths scaling, and the file's X (north) becomes the drawing's y.
//
// Beyond that plain drawing, two options: a CAD-ready drawing (declared code
// page, layer tables, labels converted to GBK line by line) and a measurement
// drawing in metres, whose points then lie where the coordinate drawing of the
// same survey puts them, labels as high as there.

#include <string>
#include <vector>

#include "export/dxf_text.h"

namespace vm {

// A message box: text and title (empty title: the application's name).
struct DxfMessage {
    std::string text;
    std::string title;
};

struct DxfOptions {
    bool cadReady = false;  // HEADER and TABLES before the entities, GBK labels
    bool metres = false;    // measurement values from thousandths to metres
};

struct DxfBuild {
    bool sourceRead = false;  // false: the work file could not be read, text is empty
    std::string text;         // the complete DXF
    size_t pointCount = 0;
    std::string status;                // for the main window's status line, "" to leave it
    std::vector<DxfMessage> messages;  // message boxes, in the order they are shown
};

// The points of a coordinate file's bytes: F1 label, F2 north, F3 east, F4 height.
std::vector<DxfPoint> DxfPointsFromCoordinates(const std::string& bytes);

// The points of a measurement file's bytes; labels are prefix, running number, name.
std::vector<DxfPoint> DxfPointsFromMeasurement(const std::string& bytes, const std::string& prefix);

DxfBuild BuildDxfFromCoordinates(const std::string& workFilePath, const DxfOptions& options = {});
DxfBuild BuildDxfFromMeasurement(const std::string& workFilePath, const std::string& prefix,
                                 const DxfOptions& options = {});

}  // namespace vm
