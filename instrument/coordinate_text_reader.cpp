#include "instrument/coordinate_text_reader.h"

#include <string>
#include <vector>

#include "instrument/other_makers.h"
#include "instrument/text_lines.h"

namespace vm {
namespace {

// The first four fields and the rest (the code, which may hold the separator).
struct TextPoint {
    std::string_view fields[4];
    std::string_view code;
};

bool SplitLine(std::string_view line, char separator, TextPoint& p) {
    line = Unpadded(line);
    for (int k = 0; k < 4; ++k) {
        size_t end = separator == ' ' ? line.find_first_of(" \t") : line.find(separator);
        p.fields[k] = Unpadded(line.substr(0, end));
        if (end == std::string_view::npos) {
            line = std::string_view();
            if (k < 3)
                return false;
            break;
        }
        line.remove_prefix(end + 1);
        if (separator == ' ')
            line = Unpadded(line);
    }
    p.code = Unpadded(line);
    return true;
}

bool ReadNumbers(const TextPoint& p, ExactDecimal (&values)[3]) {
    for (int k = 0; k < 3; ++k) {
        if (!ParseExactDecimal(p.fields[k + 1], values[k]))
            return false;
    }
    return true;
}

}  // namespace

char CoordinateTextSeparator(std::string_view line) {
    for (char c : {'\t', ';', ','}) {
        if (line.find(c) != std::string_view::npos)
            return c;
    }
    return ' ';
}

bool IsCoordinateTextLine(std::string_view line, char separator) {
    TextPoint p;
    ExactDecimal values[3];
    return SplitLine(line, separator, p) && ReadNumbers(p, values);
}

void ReadCoordinateText(std::string_view bytes, SurveyRecords& records) {
    char separator = 0;
    bool first = true;
    ForEachTextLine(bytes, [&](long long number, std::string_view line) {
        if (Unpadded(line).empty())
            return;
        if (!separator)
            separator = CoordinateTextSeparator(line);
        TextPoint p;
        ExactDecimal v[3];
        const bool fits = SplitLine(line, separator, p) && ReadNumbers(p, v);
        // A first line without a single number is the column heading.
        if (!fits && first && line.find_first_of("0123456789") == std::string_view::npos) {
            separator = 0;
        } else if (fits) {
            records.Point({std::string(p.fields[0]), std::string(p.code), v[0], v[1], v[2]});
        } else {
            records.Skip(number, line);
        }
        first = false;
    });
}

}  // namespace vm
