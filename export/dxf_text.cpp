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

std::string FormatDxfNumber(double value) {
    // to_chars never consults the locale; 1e308 in fixed notation needs 316 bytes.
    char buffer[400];
    const std::to_chars_result r =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 6);
    return r.ec == std::errc() ? std::string(buffer, r.ptr) : std::string("0.000000");
}

std::string FormatDxfPoint(const DxfPoint& p) {
    const std::string x = FormatDxfNumber(p.x);
    const std::string y = FormatDxfNumber(p.y);
    const std::string z = FormatDxfNumber(p.z);
    std::string out;
    out.reserve(120 + 2 * (x.size() + y.size() + z.size()) + p.label.size());
    out += "POINT\n8\npoint\n10\n" + x + "\n20\n" + y + "\n30\n" + z + "\n0\n";
    out += "TEXT\n8\nPT#\n10\n" + x + "\n20\n" + y + "\n30\n" + z + "\n40\n0.2\n1\n";
    out += p.label + "\n0\n";
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
