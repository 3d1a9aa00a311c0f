#include "instrument/number_text.h"

#include <string_view>

#include "common/decimal_text.h"

namespace vm {

double ReadNumber(const std::string& text, size_t begin, size_t end) {
    if (end > text.size())
        end = text.size();
    if (begin >= end)
        return 0.0;
    return ReadDecimal(std::string_view(text).substr(begin, end - begin));
}

void AppendFixed(std::string& out, double value, int decimals) {
    char text[kFixedTextSize];
    out.append(text, FormatFixed(value, decimals, text));
}

}  // namespace vm
