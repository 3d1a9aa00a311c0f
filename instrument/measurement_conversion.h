#pragma once
// Converts a measurement file of the instrument into up to three outputs:
// coordinates in a target layout, an angle-distance table and an angle table.

#include <string>

#include "instrument/conversion_result.h"
#include "instrument/source_format.h"
#include "instrument/target_layout.h"

namespace vm {

// Which outputs are ticked, and the layout of the coordinate output.
struct MeasurementOptions {
    bool coordinates = true;     // "坐标转换"
    bool angleDistance = false;  // "角度距离"
    bool angles = false;         // "角度"
    TargetLayout layout = 0;
};

struct MeasurementConversionInput {
    std::string source;
    MeasurementOptions options;
    std::string coordTarget;                   // coordinates extracted from the measurements
    std::string angleDistTarget;               // angle-distance table
    std::string angleTarget;                   // angle table
    SourceFormat format = SourceFormat::Auto;  // another maker's file is read first
};

ConversionResult ConvertMeasurementFile(const MeasurementConversionInput& input);

// The three outputs of a measurement file held in memory, each with its header;
// an output without any row stays empty (and is not written).
struct MeasurementOutputs {
    std::string coordinates;
    std::string angleDistance;
    std::string angles;
    long long points = 0;  // rows of the coordinate output
};
MeasurementOutputs ConvertMeasurementText(const std::string& bytes,
                                          const MeasurementOptions& options);

}  // namespace vm
