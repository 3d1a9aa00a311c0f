#pragma once
// The two ways the DXF export reads the work file (the text pane as saved):
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
#include <string_view>
#include <vector>

#include "common/skipped_records.h"
#include "common/streamed_file.h"
#include "export/dxf_text.h"

namespace vm {

struct DxfOptions {
    bool cadReady = false;  // HEADER and TABLES before the entities, GBK labels
    bool metres = false;    // measurement values from thousandths to metres
};

// The points of a coordinate file's bytes: F1 label, F2 north, F3 east, F4 height.
std::vector<DxfPoint> DxfPointsFromCoordinates(const std::string& bytes);

// The points of a measurement file's bytes; labels are prefix, running number, name.
std::vector<DxfPoint> DxfPointsFromMeasurement(const std::string& bytes, const std::string& prefix);

// What a drawing is made of: the work file's bytes and how to read them. For
// a CAD-ready drawing, bytes and prefix are GBK already.
struct DxfSource {
    std::string_view bytes;
    bool measurement = false;
    std::string prefix;  // measurement labels only
    DxfOptions options;
    SkippedRecords* skipped = nullptr;  // counts points left out for unusable values
};

// Writes the whole drawing as it is made; returns the points drawn.
size_t WriteDxfDrawing(const DxfSource& source, StreamedFile& out);

// The same drawing as a text.
std::string DxfDrawingText(const DxfSource& source);

}  // namespace vm
