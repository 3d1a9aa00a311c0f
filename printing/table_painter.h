#pragma once
// Paints the printed coordinate table on the pages of a printer or a PDF: the
// title and the source file's name, the column headings over a rule, the rows
// in aligned columns, and "第 N 页，共 M 页" at the foot of every page. The
// layout (widths, alignment, page breaks) comes from the core's PrintTable.

#include "export/print_table.h"

#include <QByteArray>

class QPagedPaintDevice;

namespace vm {

// Paints every page; false when the device cannot be painted on.
bool PaintPrintTable(QPagedPaintDevice& device, const PrintTable& table);

// Gives a PDF of the table (written by Qt) back the characters it printed in
// its text layer, for copying and searching.
void RestoreTablePdfText(QByteArray& pdf, const PrintTable& table);

}  // namespace vm
