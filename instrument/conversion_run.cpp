#include "instrument/conversion_run.h"

#include <algorithm>

#include "common/file_io.h"
#include "instrument/conversion_messages.h"
#include "instrument/coordinate_conversion.h"

namespace vm {

ConversionResult RunDownloadConversion(const DownloadConversionInput& input) {
    ConversionResult result;
    if (!input.measSource.empty() && !input.coordSource.empty()) {
        result.status = messages::kBothSources;
        result.messages = {messages::kBothSources};
        return result;
    }
    if (input.measSource.empty() && input.coordSource.empty()) {
        result.status = messages::kChooseSource;
        result.messages = {messages::kNothingToConvert};
        return result;
    }
    if (!input.coordSource.empty()) {
        return ConvertCoordinateFile(
            {input.coordSource, input.coordTarget, input.options.layout, input.format});
    }
    MeasurementConversionInput meas;
    meas.source = input.measSource;
    meas.options = input.options;
    meas.coordTarget = input.coordExtractTarget;
    meas.angleDistTarget = input.angleDistTarget;
    meas.angleTarget = input.angleTarget;
    meas.format = input.format;
    return ConvertMeasurementFile(meas);
}

std::vector<std::string> ExistingTargets(const DownloadConversionInput& input) {
    std::vector<std::string> targets;
    if (input.measSource.empty() == input.coordSource.empty())
        return targets;  // the run converts nothing
    const MeasurementOptions& o = input.options;
    const std::pair<bool, const std::string*> used[] = {
        {!input.coordSource.empty(), &input.coordTarget},
        {!input.measSource.empty() && o.coordinates, &input.coordExtractTarget},
        {!input.measSource.empty() && o.angleDistance, &input.angleDistTarget},
        {!input.measSource.empty() && o.angles, &input.angleTarget},
    };
    for (const auto& [ticked, path] : used) {
        if (ticked && !path->empty() && FileExists(*path) &&
            std::find(targets.begin(), targets.end(), *path) == targets.end())
            targets.push_back(*path);
    }
    return targets;
}

}  // namespace vm
