#pragma once
// The container of an Excel 97-2003 workbook: a compound file (version 3,
// 512-byte sectors) holding one stream called "Workbook".

#include <string>

namespace vm {

// The stream is padded with zero bytes to at least 4096 bytes: shorter
// streams would belong in the container's small-stream area, and readers
// refuse a workbook stream stored as a regular one below that size.
constexpr size_t kMinWorkbookStream = 4096;

std::string BuildCompoundFile(const std::string& workbookStream);

}  // namespace vm
