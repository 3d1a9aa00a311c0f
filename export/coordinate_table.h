#pragma once
// The printable coordinate table: a heading, an empty line and one row per line
// of a comma-separated coordinate file that holds a comma, laid out by the
// column-order rule. Lines end in CR LF. The table replaces the target only
// once it is complete, so a failure leaves the earlier content in place.

#include <string>
#include <vector>

#include "common/file_io.h"
#include "export/column_order.h"
#include "instrument/other_makers_export.h"

namespace vm {

// "PT#            X              Y             Z           PCode\r\n\r\n", with
// or without a code column.
const std::string& CoordinateTableHeading();

// The whole table for a source file's bytes; rowCount (if given) gets the rows.
std::string BuildCoordinateTable(const std::string& sourceBytes, const ColumnOrder& order,
                                 size_t* rowCount = nullptr);

struct CoordinateTableRequest {
    std::string sourcePath;
    std::string tablePath;  // the work file in the desktop program
    ColumnOrder order;
    FileMode mode = FileMode::Normal;
    SourceFormat format = SourceFormat::Own;  // Auto or a name: another maker's file is read first
};

struct CoordinateTableResult {
    bool written = false;
    size_t rowCount = 0;
    std::vector<std::string> messages;  // failures, in the UI's language
    std::string report;                 // what was read of another maker's file
};

// Another maker's file as the table reads it: its points as "name,X,Y,Z,code",
// whose columns then replace order's. Not converted for the instrument's own
// files and comma-separated points (the table reads them as they stand).
ExportSourceText TableSource(std::string_view bytes, SourceFormat format, ColumnOrder& order);

CoordinateTableResult WriteCoordinateTable(const CoordinateTableRequest& request);

}  // namespace vm
