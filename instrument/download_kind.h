#pragma once
// Tells a downloaded text apart: the record that follows the first "ATMOS" line
// decides whether the instrument sent a measurement file or a coordinate file.

#include <string>
#include <vector>

namespace vm {

enum class DownloadKind { None, Measurement, Coordinate };

// lines: the text pane's lines in order, as the pane returns them (at most 99
// bytes each; line ends already removed). No side effects.
DownloadKind ClassifyDownloadedText(const std::vector<std::string>& lines);

// The same over raw bytes (a saved pane or a file): cut into 99-byte pieces
// with their line ends removed, then classified.
DownloadKind ClassifyDownloadedBytes(const std::string& bytes);

// "none", "measurement" or "coordinate" (the command line's words).
const char* DownloadKindWord(DownloadKind kind);

}  // namespace vm
