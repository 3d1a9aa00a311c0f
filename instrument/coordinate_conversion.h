#pragma once
// Converts a coordinate file of the instrument (comma-separated point lines)
// into one of the target layouts.

#include <string>

#include "instrument/conversion_result.h"
#include "instrument/source_format.h"
#include "instrument/target_layout.h"

namespace vm {

struct CoordinateConversionInput {
    std::string source;  // the coordinate file to convert
    std::string target;  // the file to write
    TargetLayout layout = 0;
    SourceFormat format = SourceFormat::Auto;  // another maker's file is read first
};

ConversionResult ConvertCoordinateFile(const CoordinateConversionInput& input);

// The converted text of a coordinate file held in memory (header included).
struct CoordinateOutput {
    std::string text;
    long long points = 0;
    std::string lastName;
};
CoordinateOutput ConvertCoordinateText(const std::string& bytes, TargetLayout layout);

}  // namespace vm
