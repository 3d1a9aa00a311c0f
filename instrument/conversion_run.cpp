#include "instrument/conversion_run.h"

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
        return ConvertCoordinateFile({input.coordSource, input.coordTarget, input.options.layout});
    }
    MeasurementConversionInput meas;
    meas.source = input.measSource;
    meas.options = input.options;
    meas.coordTarget = input.coordExtractTarget;
    meas.angleDistTarget = input.angleDistTarget;
    meas.angleTarget = input.angleTarget;
    return ConvertMeasurementFile(meas);
}

}  // namespace vm
