#include "universal/coordinate_text.h"

#include "common/decimal_text.h"

namespace vm {

double ReadCoordinate(std::string_view field) {
    return ReadDecimal(field);
}

size_t FormatCoordinate(double value, char* out) {
    return FormatFixed(value, 3, out);
}

}  // namespace vm
