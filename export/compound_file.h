#pragma once
// The container of an Excel 97-2003 workbook: a compound file (version 3,
// 512-byte sectors) holding one stream called "Workbook".

#include <cstddef>
#include <string>

namespace vm {

// The stream is padded with zero bytes to at least 4096 bytes: shorter
// streams would belong in the container's small-stream area, and readers
// refuse a workbook stream stored as a regular one below that size.
constexpr size_t kMinWorkbookStream = 4096;

// The container's bytes before a stream of this many bytes (the header) and
// after it (the padding to whole sectors, the directory and the sector tables):
// head, stream and tail one after another make the file, so a stream whose size
// is known goes straight into its sectors.
std::string CompoundFileHead(size_t streamBytes);
std::string CompoundFileTail(size_t streamBytes);

std::string BuildCompoundFile(const std::string& workbookStream);

}  // namespace vm
