#include "export/column_widths.h"

#include <charconv>

namespace vm {
namespace {

bool IsWide(char32_t c) {
    return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF) ||
           (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) ||
           (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
           (c >= 0xFFE0 && c <= 0xFFE6) || (c >= 0x1F300 && c <= 0x1FAFF) ||
           (c >= 0x20000 && c <= 0x3FFFD);
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

size_t DisplayWidth(std::u16string_view text) {
    size_t width = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size()) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        }
        width += IsWide(c) ? 2 : 1;
    }
    return width;
}

size_t DisplayWidthUtf8(std::string_view utf8) {
    size_t width = 0;
    for (size_t i = 0; i < utf8.size();) {
        const unsigned char lead = static_cast<unsigned char>(utf8[i]);
        const size_t length = lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        char32_t c = length == 1 ? lead : lead & (0x7F >> length);
        for (size_t k = 1; k < length && i + k < utf8.size(); ++k)
            c = (c << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        width += IsWide(c) ? 2 : 1;
        i += length;
    }
    return width;
}

bool ReadCellNumber(std::string_view text, double& value) {
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    // A digit or a point must start the number: no "inf", "nan" or hex.
    const size_t start = !text.empty() && text.front() == '-' ? 1 : 0;
    if (text.size() <= start || !(IsDigit(text[start]) || text[start] == '.'))
        return false;
    const char* end = text.data() + text.size();
    const std::from_chars_result r =
        std::from_chars(text.data(), end, value, std::chars_format::general);
    return r.ec == std::errc() && r.ptr == end;
}

std::string ThreeDecimals(double value) {
    char buffer[400];
    const std::to_chars_result r =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 3);
    return std::string(buffer, r.ptr);
}

}  // namespace vm
