#pragma once
// What the first records of a source become with the current layouts and
// constants, before anything is written: the conversion of the run, applied
// in memory to the first few records, each output line cut into its columns
// at the target separator so an empty column shows as one.

#include <cstddef>
#include <string>
#include <vector>

#include "universal/universal_conversion.h"

namespace vm {

struct LayoutPreviewRow {
    std::string source;              // the record as read (no '@', '$' or line end)
    std::vector<std::string> cells;  // the output line's columns, empty ones included
};

// The first count records of sourceBytes and their output lines. Numbering
// starts from run.startNumber on a counter of its own: a preview never
// advances the dialog's counter.
std::vector<LayoutPreviewRow> PreviewLayoutRecords(const std::string& sourceBytes,
                                                   const UniversalConversionRun& run,
                                                   size_t count = 5);

}  // namespace vm
