#pragma once
// The printed coordinate table as a PDF file (A4), written whole: the file is
// replaced only once the document is complete.

#include <string>

#include "common/file_io.h"
#include "export/print_table.h"

namespace vm {

// Works without a display: a command-line program gets an off-screen
// graphical application for the fonts while the PDF is made.
bool WriteTablePdf(const std::string& path, const PrintTable& table, FileError& error);

}  // namespace vm
