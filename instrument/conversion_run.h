#pragma once
// One press of "转换" in the download conversion dialog: checks which source is
// set and runs the coordinate or the measurement conversion.

#include <string>
#include <vector>

#include "instrument/conversion_result.h"
#include "instrument/measurement_conversion.h"

namespace vm {

struct DownloadConversionInput {
    std::string measSource;      // measurement file (empty when none)
    std::string coordSource;     // coordinate file (empty when none)
    std::string coordTarget;     // target of the coordinate file conversion
    MeasurementOptions options;  // ticked outputs and the layout (used by both)
    std::string coordExtractTarget;
    std::string angleDistTarget;
    std::string angleTarget;
    SourceFormat format = SourceFormat::Auto;  // the source's format, or Auto to recognise it
};

ConversionResult RunDownloadConversion(const DownloadConversionInput& input);

// The targets a run of input would write that exist already (one source set,
// ticked outputs only), each once: what the dialog confirms before replacing.
std::vector<std::string> ExistingTargets(const DownloadConversionInput& input);

}  // namespace vm
