#pragma once
// How the text pane's bytes go to disk, shared by Save As, the work file and
// the command line. Every byte but CR and LF is written unchanged; CR is never
// written; each LF becomes the line break CR LF. So "A\r\nB" and "A\nB" are both
// stored as "A\r\nB", a lone CR vanishes, and no line break is added at the end.

#include "common/file_io.h"

#include <string>

namespace vm {

std::string PaneToFileBytes(const std::string& paneText);

// Writes paneText to path by the rule above, replacing the file as a whole:
// a failed write leaves the old file as it was.
bool WritePaneToFile(const std::string& path, const std::string& paneText,
                     FileError* error = nullptr, FileMode mode = FileMode::Normal);

// The pane's line count as the status line shows it: one more than the number
// of LF bytes, so a CR LF counts once and an instrument sending LF alone is
// counted too (an empty pane counts as one line).
long long CountPaneLines(const std::string& paneText);

}  // namespace vm
