// Any bytes as the lines of a coordinate file going to the instrument: a line
// with a comma becomes three pieces whose coordinates are whole millimetres of
// the plain comma-cut fields; a line without one goes out unchanged.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "common/line_reader.h"
#include "common/text.h"
#include "serial/point_pieces.h"

namespace {

std::string Millimetres(const std::string& field) {
    return std::to_string(vm::WholeMillimetres(field)) + ",";
}

void CheckLine(const std::string& line) {
    const vm::PointPieces pieces = vm::SplitPointLine(line);
    std::vector<size_t> commas;
    for (size_t at = line.find(','); at != std::string::npos && commas.size() < 4;
         at = line.find(',', at + 1))
        commas.push_back(at);
    if (pieces.converted != !commas.empty())
        __builtin_trap();
    if (commas.size() < 3)
        return;  // fewer commas: the searches start over, no plain cut
    auto field = [&](size_t k) {
        const size_t from = commas[k] + 1;
        const size_t to = k + 1 < commas.size() ? commas[k + 1] : line.size();
        return line.substr(from, to - from);
    };
    if (pieces.first != line.substr(0, commas[0]) + "," + Millimetres(field(0)))
        __builtin_trap();
    if (pieces.second != Millimetres(field(1)))
        __builtin_trap();
    std::string third = Millimetres(field(2));
    if (commas.size() == 4)
        third += line.substr(commas[3] + 1);
    if (pieces.third != third)
        __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    vm::LineReader reader(bytes);
    std::string piece;
    while (reader.Next(piece))
        CheckLine(vm::StripLineEnds(piece));
    return 0;
}
