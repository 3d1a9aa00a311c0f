#include "export/dxf_text.h"

#include <charconv>

namespace vm {

const std::string& DxfHead() {
    static const std::string kHead = "0\nSECTION\n2\nENTITIES\n0\n";
    return kHead;
}

const std::string& DxfTail() {
    static const std::string kTail = "ENDSEC\n0\nEOF";
    return kTail;
}

namespace {

// "%f" of value at out; to_chars never consults the locale. 1e308 in fixed
// notation needs 316 bytes.
char* WriteNumber(char* out, double value) {
    constexpr size_t kRoom = 330;
    const std::to_chars_result r =
        std::to_chars(out, out + kRoom, value, std::chars_format::fixed, 6);
    if (r.ec == std::errc())
        return r.ptr;
    static constexpr std::string_view kZero = "0.000000";
    return out + kZero.copy(out, kZero.size());
}

char* Put(char* out, std::string_view text) {
    return out + text.copy(out, text.size());
}

// "10\nX\n20\nY\n30\nZ\n": the coordinates both entities carry.
char* WriteCoordinates(char* out, double x, double y, double z) {
    out = WriteNumber(Put(out, "10\n"), x);
    out = WriteNumber(Put(out, "\n20\n"), y);
    out = WriteNumber(Put(out, "\n30\n"), z);
    return Put(out, "\n");
}

}  // namespace

std::string FormatDxfNumber(double value) {
    char buffer[400];
    return std::string(buffer, WriteNumber(buffer, value));
}

size_t WriteDxfPoint(char* out, std::string_view label, double x, double y, double z) {
    char* p = Put(out, "POINT\n8\npoint\n");
    const char* coordinates = p;
    p = WriteCoordinates(p, x, y, z);
    const std::string_view written(coordinates, static_cast<size_t>(p - coordinates));
    p = Put(p, "0\nTEXT\n8\nPT#\n");
    p = Put(p, written);
    p = Put(p, "40\n0.2\n1\n");
    p = Put(p, label);
    p = Put(p, "\n0\n");
    return static_cast<size_t>(p - out);
}

std::string FormatDxfPoint(const DxfPoint& p) {
    std::string out(DxfPointRoom(p.label.size()), '\0');
    out.resize(WriteDxfPoint(out.data(), p.label, p.x, p.y, p.z));
    return out;
}

std::string AssembleDxf(const std::vector<DxfPoint>& points) {
    std::string out = DxfHead();
    for (const DxfPoint& p : points)
        out += FormatDxfPoint(p);
    out += DxfTail();
    return out;
}

}  // namespace vm
