#include "instrument/conversion_run.h"

#include <algorithm>
#include <cstdio>

#include "common/distinct_files.h"
#include "common/file_io.h"
#include "instrument/conversion_messages.h"
#include "instrument/coordinate_conversion.h"

namespace vm {
namespace {

// A target that is the source, or two ticked outputs on one file.
std::string TargetProblem(const DownloadConversionInput& input) {
    if (!input.coordSource.empty())
        return SameFileProblem(input.coordSource, {input.coordTarget});
    const MeasurementOptions& o = input.options;
    return SameFileProblem(input.measSource,
                           {o.coordinates ? input.coordExtractTarget : std::string(),
                            o.angleDistance ? input.angleDistTarget : std::string(),
                            o.angles ? input.angleTarget : std::string()});
}

}  // namespace

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
    const std::string problem = TargetProblem(input);
    if (!problem.empty()) {
        result.status = problem;
        result.messages = {problem};
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

std::string DialogRunStatus(const ConversionResult& result) {
    if (result.missingTargets.empty())
        return result.status;
    std::string names;
    for (const std::string& name : result.missingTargets)
        names += (names.empty() ? "“" : "、“") + name + "”";
    return "没有选择" + names + "的保存位置，请先选择一个保存位置。";
}

std::string RunStamp(long long run, int hour, int minute, int second) {
    char clock[16];
    std::snprintf(clock, sizeof clock, "%02d:%02d:%02d", hour, minute, second);
    return "（第 " + std::to_string(run) + " 次转换，" + clock + "）";
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
