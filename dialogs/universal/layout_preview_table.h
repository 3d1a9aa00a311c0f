#pragma once
// The universal conversion dialog's preview table: the first records of the
// source and the columns each becomes with the settings shown now. Each output
// column is a cell of its own, so an empty column (a greyed-out position that
// still adds a separator) is plain to see.

#include "universal/universal_conversion.h"

namespace vm {

class DialogHost;

// The number boxes as shown now, over the run taken from the members: a box
// that holds no number yet (being typed) leaves the run's value.
void TakeShownNumbers(const DialogHost& host, UniversalConversionRun& run);

// Fills table tableId with the first records of run.sourcePath (only the file's
// first bytes are read) and their output columns; empty columns are marked.
void ShowLayoutPreview(DialogHost& host, int tableId, const UniversalConversionRun& run);

}  // namespace vm
