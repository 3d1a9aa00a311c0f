#pragma once
// Any bytes through one of the other makers' readers: nothing may crash, hang
// or read out of bounds; every line written for the instrument's readers stays
// within their 99-byte pieces; and the records go through the conversions.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "instrument/coordinate_conversion.h"
#include "instrument/measurement_conversion.h"
#include "instrument/source_format.h"

namespace vm::fuzz {

inline void CheckLines(const std::string& text) {
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find("\r\n", start);
        if (end == std::string::npos || end - start > 97)
            __builtin_trap();
        start = end + 2;
    }
}

inline int FuzzReader(SourceFormat format, const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const SurveyTexts texts = ReadOtherMakersFile(bytes, format);
    CheckLines(texts.measurement);
    CheckLines(texts.coordinates);
    CheckLines(texts.plainPoints);
    if (texts.points > texts.records || (texts.skipped > 0) != (texts.firstSkippedLine > 0))
        __builtin_trap();
    MeasurementOptions all;
    all.angleDistance = all.angles = true;
    ConvertMeasurementText(texts.measurement, all);
    ConvertCoordinateText(texts.coordinates, 2);
    return 0;
}

}  // namespace vm::fuzz
