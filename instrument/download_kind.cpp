#include "instrument/download_kind.h"

#include "common/line_reader.h"
#include "common/text.h"

namespace vm {
namespace {

// The first word of a line after its leading spaces: the text before its first
// space, "" when it has none.
std::string FirstWord(const std::string& line) {
    const size_t start = line.find_first_not_of(' ');
    if (start == std::string::npos)
        return std::string();
    const size_t space = line.find(' ', start);
    if (space == std::string::npos)
        return std::string();
    return line.substr(start, space - start);
}

bool IsMeasurementTag(const std::string& word) {
    static const char* const kTags[] = {"SS", "HD", "SD", "XYZ", "BKB", "BS", "STN"};
    for (const char* tag : kTags) {
        if (word == tag)
            return true;
    }
    return false;
}

}  // namespace

DownloadKind ClassifyDownloadedText(const std::vector<std::string>& lines) {
    for (size_t i = 1; i < lines.size(); ++i) {
        if (FirstWord(lines[i - 1]) != "ATMOS")
            continue;
        return IsMeasurementTag(FirstWord(lines[i])) ? DownloadKind::Measurement
                                                     : DownloadKind::Coordinate;
    }
    return DownloadKind::None;
}

DownloadKind ClassifyDownloadedBytes(const std::string& bytes) {
    // Only the line after the first "ATMOS" line matters, so the walk stops there
    // instead of holding every line of a large file.
    LineReader reader(bytes);
    std::string piece;
    std::string previous;
    bool first = true;
    while (reader.Next(piece)) {
        std::string line = StripLineEnds(piece);
        if (!first && FirstWord(previous) == "ATMOS") {
            return ClassifyDownloadedText({previous, line});
        }
        previous.swap(line);
        first = false;
    }
    return DownloadKind::None;
}

const char* DownloadKindWord(DownloadKind kind) {
    switch (kind) {
        case DownloadKind::Measurement:
            return "measurement";
        case DownloadKind::Coordinate:
            return "coordinate";
        case DownloadKind::None:
            break;
    }
    return "none";
}

}  // namespace vm
