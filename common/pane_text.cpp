#include "common/pane_text.h"

namespace vm {

std::string PaneToFileBytes(const std::string& paneText) {
    std::string out;
    out.reserve(paneText.size() + paneText.size() / 16);
    for (char c : paneText) {
        if (c == '\r')
            continue;
        if (c == '\n')
            out += '\r';
        out += c;
    }
    return out;
}

bool WritePaneToFile(const std::string& path, const std::string& paneText, FileError* error,
                     FileMode mode) {
    return WriteFileAtomic(path, PaneToFileBytes(paneText), error, mode);
}

long long CountPaneLines(const std::string& paneText) {
    long long lines = 1;
    for (size_t i = paneText.find('\n'); i != std::string::npos; i = paneText.find('\n', i + 1))
        ++lines;
    return lines;
}

}  // namespace vm
