// Any bytes as a coordinate file, in every target layout (the first byte picks
// it): the walk over the pieces must find the same points as a plain walk that
// marks every piece, the output must end each line with CR LF, and converting
// the file from disk must give the same bytes as converting it in memory.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "fuzz_files.h"
#include "marked_records.h"
#include "common/decimal_text.h"
#include "common/skipped_records.h"
#include "instrument/arithmetic.h"
#include "instrument/coordinate_conversion.h"
#include "instrument/target_layout.h"

namespace {

// Points found by a plain walk over the marked records: a record with four
// commas is a point named by what stands before its first comma, unless one
// of its coordinates is not a value a file can hold (it is skipped).
struct Walk {
    long long points = 0;
    std::string lastName;
};

// X, Y and Z of a point record (thousandths of a metre) are values a
// coordinate output can write exactly.
bool Usable(const std::string& record) {
    size_t from = record.find(',') + 1;
    for (int i = 0; i < 3; ++i) {
        const size_t comma = record.find(',', from);
        const std::string field = record.substr(from, comma - from);
        if (!vm::IsUsableCoordinate(vm::ScaleLength(vm::ReadDecimal(field))))
            return false;
        from = comma + 1;
    }
    return true;
}

Walk PlainWalk(const std::string& bytes) {
    Walk walk;
    for (const std::string& record : vm::fuzz::MarkedRecords(bytes)) {
        size_t from = 0, commas = 0, first = std::string::npos;
        for (size_t c; commas < 4 && (c = record.find(',', from)) != std::string::npos;
             from = c + 1, ++commas)
            if (commas == 0)
                first = c;
        if (commas == 4 && Usable(record)) {
            ++walk.points;
            walk.lastName = record.substr(0, first);
        }
    }
    return walk;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    const vm::TargetLayout layout = data[0] % vm::kTargetLayoutCount;
    const bool throughDisk = data[0] >= 0xE0;  // one input in eight: disk is slow
    const std::string bytes(reinterpret_cast<const char*>(data) + 1, size - 1);

    const vm::CoordinateOutput out = vm::ConvertCoordinateText(bytes, layout);
    const Walk walk = PlainWalk(bytes);
    if (out.points != walk.points || out.lastName != walk.lastName)
        __builtin_trap();
    if (!out.text.empty() && out.text.compare(out.text.size() - 2, 2, "\r\n") != 0)
        __builtin_trap();
    if (walk.points > 0 && out.text.empty())
        __builtin_trap();

    if (throughDisk) {
        const std::string source = vm::fuzz::ScratchPath("coord-source");
        const std::string target = vm::fuzz::ScratchPath("coord-target");
        std::remove(target.c_str());
        if (!vm::fuzz::WriteScratch(source, bytes))
            return 0;
        const vm::ConversionResult result =
            vm::ConvertCoordinateFile({source, target, layout, vm::SourceFormat::Own});
        // A file without points is reported and not created.
        const bool created = walk.points > 0;
        if (result.ok != created || vm::fuzz::ReadScratch(target) != (created ? out.text : ""))
            __builtin_trap();
    }
    return 0;
}
