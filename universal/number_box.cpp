#include "universal/number_box.h"

#include <charconv>
#include <cmath>

namespace vm {

const char* const kEnterIntegerMessage = "请输入一个整数。";
const char* const kEnterNumberMessage = "请输入一个数字。";

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// The text without the blanks around it, and without a leading '+' that
// from_chars does not take.
std::string_view Core(const std::string& text) {
    std::string_view s = text;
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);
    if (s.size() > 1 && s[0] == '+' && s[1] != '-' && s[1] != '+')
        s.remove_prefix(1);
    return s;
}

bool StartsLikeDecimal(std::string_view s) {
    const size_t i = !s.empty() && s[0] == '-' ? 1 : 0;
    return i < s.size() && ((s[i] >= '0' && s[i] <= '9') || s[i] == '.');
}

}  // namespace

bool ParseIntegerBox(const std::string& text, long long& value) {
    const std::string_view s = Core(text);
    long long parsed = 0;
    const auto result = std::from_chars(s.data(), s.data() + s.size(), parsed);
    if (s.empty() || result.ec != std::errc() || result.ptr != s.data() + s.size())
        return false;
    value = parsed;
    return true;
}

bool ParseNumberBox(const std::string& text, double& value) {
    const std::string_view s = Core(text);
    if (!StartsLikeDecimal(s))
        return false;  // no "inf", "nan" or hexadecimal
    double parsed = 0;
    const auto result = std::from_chars(s.data(), s.data() + s.size(), parsed);
    if (result.ec != std::errc() || result.ptr != s.data() + s.size())
        return false;
    if (!std::isfinite(parsed))
        return false;
    value = parsed;
    return true;
}

std::string FormatNumberBox(double value) {
    char text[64];
    const auto result = std::to_chars(text, text + sizeof text, value);
    return std::string(text, static_cast<size_t>(result.ptr - text));
}

}  // namespace vm
