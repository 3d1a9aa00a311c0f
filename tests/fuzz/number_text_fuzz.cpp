// Any bytes through the fast number readers and printers of the conversions:
// reading must give exactly what the general C-library reading gives, printing
// exactly what printf's "%.3f" / "%.4f" prints, and whole millimetres must stay
// within one unit of the value read, truncated toward zero. Whatever the text,
// no infinite or NaN value reaches a converted file.
#include <clocale>
#include <cfloat>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "common/number.h"
#include "export/dxf_builders.h"
#include "instrument/coordinate_conversion.h"
#include "instrument/number_text.h"
#include "serial/point_pieces.h"
#include "universal/coordinate_text.h"

namespace {

bool SameValue(double a, double b) {
    return std::memcmp(&a, &b, sizeof a) == 0 || (a == 0 && b == 0);
}

// True when strtod would read something that the files' number rule does not
// (hexadecimal, infinity, nan): the C library is no reference for such texts.
bool HasNonDecimalForms(const std::string& text) {
    return text.find_first_of("xXiInNpP") != std::string::npos;
}

void CheckReading(const std::string& text) {
    const double general = vm::AtoF(text);
    if (!SameValue(vm::ReadNumber(text, 0, text.size()), general))
        __builtin_trap();
    if (!SameValue(vm::ReadCoordinate(std::string_view(text)), general))
        __builtin_trap();
    if (!HasNonDecimalForms(text) && !SameValue(std::strtod(text.c_str(), nullptr), general))
        __builtin_trap();
}

void CheckPrinting(double value) {
    char expected[400];
    for (int decimals : {3, 4}) {
        std::snprintf(expected, sizeof expected, "%.*f", decimals, value);
        std::string out;
        vm::AppendFixed(out, value, decimals);
        if (out != expected)
            __builtin_trap();
    }
    if (std::isfinite(value)) {
        char text[vm::kCoordinateTextSize];
        const size_t length = vm::FormatCoordinate(value, text);
        std::snprintf(expected, sizeof expected, "%.3f", value);
        if (std::string(text, length) != expected)
            __builtin_trap();
    }
}

void CheckMillimetres(const std::string& text) {
    const double value = vm::AtoF(text);
    if (HasNonDecimalForms(text) || !(std::fabs(value) < 1e12))
        return;
    const long long mm = vm::WholeMillimetres(text);
    const double scaled = value * 1000;
    if (std::fabs(static_cast<double>(mm) - scaled) > 1.001)
        __builtin_trap();
    if ((mm > 0 && value < 0) || (mm < 0 && value > 0))
        __builtin_trap();
    // value * 1000 is itself rounded: above about 1e10 m its error passes 0.001 mm.
    const double slack = 0.001 + std::fabs(scaled) * 4 * DBL_EPSILON;
    if (std::fabs(static_cast<double>(mm)) > std::fabs(scaled) + slack)
        __builtin_trap();
}

bool HoldsNonFinite(const std::string& out) {
    return out.find("inf") != std::string::npos || out.find("nan") != std::string::npos;
}

// The text as every coordinate of a point record, through the conversions.
void CheckNoNonFiniteOutput(const std::string& text) {
    std::string field;
    for (const char c : text) {
        if (c != ',' && c != '\r' && c != '\n' && c != '@' && c != '$')
            field.push_back(c);
    }
    const std::string record = "P," + field + "," + field + "," + field + ",T\r\n";
    if (HoldsNonFinite(vm::ConvertCoordinateText(record, 0).text))
        __builtin_trap();
    vm::DxfSource source;
    source.bytes = record;
    if (HoldsNonFinite(vm::DxfDrawingText(source)))
        __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::setlocale(LC_ALL, "C");
    const std::string text(reinterpret_cast<const char*>(data), size);
    CheckReading(text);
    CheckMillimetres(text);
    CheckNoNonFiniteOutput(text);
    CheckPrinting(vm::AtoF(text));
    if (size >= sizeof(double)) {
        double raw;
        std::memcpy(&raw, data, sizeof raw);
        CheckPrinting(raw);
    }
    return 0;
}
