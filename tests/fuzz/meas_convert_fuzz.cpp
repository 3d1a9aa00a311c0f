// Any bytes as a measurement file, with the outputs and the layout picked by
// the first byte: each output is empty or starts with its header and ends with
// CR LF, each table holds one row per record of its tags (but those skipped), and converting the
// file from disk writes the same bytes as converting it in memory.
#include <cstddef>
#include <cstdint>
#include <string>

#include "common/line_reader.h"
#include "common/text.h"
#include "fuzz_files.h"
#include "instrument/measurement_conversion.h"
#include "instrument/records.h"

namespace {

size_t CountLineEnds(const std::string& text) {
    size_t n = 0;
    for (size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at + 2))
        ++n;
    return n;
}

// Records of the tags, counted with the plain text readers.
struct Counts {
    size_t angleDistance = 0;
    size_t angles = 0;
};

Counts CountRecords(const std::string& bytes) {
    Counts counts;
    vm::LineReader reader(bytes);
    std::string piece;
    while (reader.Next(piece)) {
        const std::string tag = vm::RecordTag(vm::CleanPiece(piece));
        if (tag == "BKB" || tag == "HD" || tag == "SD")
            ++counts.angleDistance;
        if (tag == "HV")
            ++counts.angles;
    }
    return counts;
}

// A table holds a row for each record of its tags but those skipped for a
// value no output can hold; without rows it is empty, header and all.
void CheckTable(const std::string& table, const char* header, size_t records, long long skipped) {
    if (table.empty()) {
        if (records > static_cast<size_t>(skipped))
            __builtin_trap();
        return;
    }
    if (table.compare(0, std::string(header).size(), header) != 0)
        __builtin_trap();
    const size_t rows = CountLineEnds(table) - 1;
    if (rows == 0 || rows > records || rows + static_cast<size_t>(skipped) < records)
        __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    vm::MeasurementOptions options;
    options.coordinates = data[0] & 1;
    options.angleDistance = data[0] & 2;
    options.angles = data[0] & 4;
    options.layout = (data[0] >> 3) % 12;  // 11: an index outside the list
    const bool throughDisk = data[0] >= 0x80;
    const std::string bytes(reinterpret_cast<const char*>(data) + 1, size - 1);

    const vm::MeasurementOutputs out = vm::ConvertMeasurementText(bytes, options);
    const Counts counts = CountRecords(bytes);
    CheckTable(out.angleDistance, "PT#\t\tHR/HL\t\tHD\t\tVH\t\tPCode\r\n",
               options.angleDistance ? counts.angleDistance : 0, out.skipped);
    CheckTable(out.angles, "PT#\t\tHR/HL\t\tHV\t\t\tPCode\r\n", options.angles ? counts.angles : 0,
               out.skipped);
    if (!out.coordinates.empty() && out.coordinates.compare(out.coordinates.size() - 2, 2, "\r\n"))
        __builtin_trap();

    if (throughDisk) {
        vm::MeasurementConversionInput input;
        input.source = vm::fuzz::ScratchPath("meas-source");
        input.options = options;
        input.format = vm::SourceFormat::Own;  // any bytes as the instrument's own file
        input.coordTarget = vm::fuzz::ScratchPath("meas-coord");
        input.angleDistTarget = vm::fuzz::ScratchPath("meas-angle-dist");
        input.angleTarget = vm::fuzz::ScratchPath("meas-angle");
        for (const std::string* path :
             {&input.coordTarget, &input.angleDistTarget, &input.angleTarget})
            std::remove(path->c_str());
        if (!vm::fuzz::WriteScratch(input.source, bytes))
            return 0;
        // The run succeeds when every ticked output holds rows; one without is not created.
        const bool everyOutputHasRows =
            (options.coordinates || options.angleDistance || options.angles) &&
            (!options.coordinates || !out.coordinates.empty()) &&
            (!options.angleDistance || !out.angleDistance.empty()) &&
            (!options.angles || !out.angles.empty());
        if (vm::ConvertMeasurementFile(input).ok != everyOutputHasRows)
            __builtin_trap();
        if (vm::fuzz::ReadScratch(input.coordTarget) != out.coordinates)
            __builtin_trap();
        if (vm::fuzz::ReadScratch(input.angleDistTarget) != out.angleDistance)
            __builtin_trap();
        if (vm::fuzz::ReadScratch(input.angleTarget) != out.angles)
            __builtin_trap();
    }
    return 0;
}
