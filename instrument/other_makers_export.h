#pragma once
// Another maker's file as the exports (Excel, DXF, the table, the preview)
// read it: its points with the file's own decimals, or the instrument's
// measurement records for the measurement drawing.

#include <string>
#include <string_view>

#include "instrument/source_format.h"

namespace vm {

// What the exports (Excel, DXF, the table, the preview) read of a source.
enum class ExportReading {
    Points,       // "name,X,Y,Z,code" with the file's own decimals
    Measurement,  // the instrument's measurement records (the measurement drawing)
};

// The text an export reads instead of the bytes of another maker's file.
struct ExportSourceText {
    bool converted = false;  // false: the instrument's own file, or comma-separated
                             // coordinate text, which the exports read as it stands
    bool failed = false;     // no record of the format: report says so, nothing to export
    std::string text;
    std::string report;  // what OtherMakersReport says
};
ExportSourceText OtherMakersExportText(std::string_view bytes, SourceFormat format,
                                       ExportReading reading);

}  // namespace vm
