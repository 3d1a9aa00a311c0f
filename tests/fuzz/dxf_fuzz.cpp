// Any bytes as the work file of the DXF export, through both builders: the
// drawing is head, one POINT and one TEXT per point, tail; every line pair is
// a known group code and its value, so no label or number can break the
// structure; numbers are written as C's "%f" writes them; the drawing
// written as it is made equals the one assembled from the points.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "export/dxf_builders.h"
#include "export/dxf_cad.h"
#include "export/dxf_text.h"

namespace {

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    size_t from = 0;
    for (size_t at; (at = text.find('\n', from)) != std::string::npos; from = at + 1)
        lines.push_back(text.substr(from, at - from));
    lines.push_back(text.substr(from));
    return lines;
}

void CheckDrawing(const std::vector<vm::DxfPoint>& points) {
    const std::string dxf = vm::AssembleDxf(points);
    if (dxf.compare(0, vm::DxfHead().size(), vm::DxfHead()) != 0)
        __builtin_trap();
    if (dxf.size() < vm::DxfTail().size() ||
        dxf.compare(dxf.size() - vm::DxfTail().size(), std::string::npos, vm::DxfTail()) != 0)
        __builtin_trap();
    static const std::set<std::string> kCodes = {"0", "1", "2", "8", "10", "20", "30", "40"};
    const std::vector<std::string> lines = Lines(dxf);
    if (lines.size() % 2 != 0)
        __builtin_trap();
    size_t entities = 0;
    for (size_t i = 0; i < lines.size(); i += 2) {
        if (!kCodes.count(lines[i]))
            __builtin_trap();
        if (lines[i] == "0" && (lines[i + 1] == "POINT" || lines[i + 1] == "TEXT"))
            ++entities;
    }
    if (entities != 2 * points.size())
        __builtin_trap();
}

void CheckNumbers(const std::vector<vm::DxfPoint>& points) {
    char expected[400];
    for (const vm::DxfPoint& p : points) {
        for (double v : {p.x, p.y, p.z}) {
            if (v != v)
                continue;  // "%f" spells a NaN's sign its own way
            std::snprintf(expected, sizeof expected, "%f", v);
            if (vm::FormatDxfNumber(v) != expected)
                __builtin_trap();
        }
    }
}

// The drawing written as it is made equals the one assembled from the points.
void CheckStreamed(const std::string& bytes, bool measurement, const std::string& prefix,
                   const std::vector<vm::DxfPoint>& points) {
    vm::DxfSource source;
    source.bytes = bytes;
    source.measurement = measurement;
    source.prefix = prefix;
    if (vm::DxfDrawingText(source) != vm::AssembleDxf(points))
        __builtin_trap();
    source.options.cadReady = true;
    if (vm::DxfDrawingText(source) != vm::AssembleCadDxf(points))
        __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    // The label prefix comes from a settings value: one line, at most 15 bytes.
    std::string prefix;
    for (size_t i = 1; i < size && i <= static_cast<size_t>(data[0] % 16); ++i)
        if (data[i] != '\n' && data[i] != '\r')
            prefix.push_back(static_cast<char>(data[i]));
    const std::string bytes(reinterpret_cast<const char*>(data) + 1, size - 1);

    const std::vector<vm::DxfPoint> coordinates = vm::DxfPointsFromCoordinates(bytes);
    CheckDrawing(coordinates);
    CheckNumbers(coordinates);
    CheckStreamed(bytes, false, prefix, coordinates);
    const std::vector<vm::DxfPoint> measured = vm::DxfPointsFromMeasurement(bytes, prefix);
    CheckDrawing(measured);
    CheckNumbers(measured);
    CheckStreamed(bytes, true, prefix, measured);
    return 0;
}
