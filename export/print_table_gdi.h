#pragma once
// Windows: the printed coordinate table drawn through GDI on any device
// context (a printer's from the print dialog, a metafile, a bitmap), page by
// page, with the same layout as the Linux print preview: title, source name,
// headings over a rule, aligned rows, "第 N 页，共 M 页".

#include <cstddef>

#include "export/print_table.h"

struct HDC__;  // HDC, without the Windows headers

namespace vm {

// How many pages the table takes on this device.
size_t PrintTablePageCount(HDC__* dc, const PrintTable& table);

// Draws page number page (from 1) at the device's printable origin; false
// when there is no such page or the device refuses the drawing.
bool DrawPrintTablePage(HDC__* dc, const PrintTable& table, size_t page);

}  // namespace vm
