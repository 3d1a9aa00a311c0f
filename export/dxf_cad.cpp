#include "export/dxf_cad.h"

#include <algorithm>

namespace vm {
namespace {

std::string Group(int code, const std::string& value) {
    return std::to_string(code) + "\n" + value + "\n";
}

std::string Coordinates(double x, double y, double z) {
    return Group(10, FormatDxfNumber(x)) + Group(20, FormatDxfNumber(y)) +
           Group(30, FormatDxfNumber(z));
}

std::string Variable(const std::string& name, const std::string& groups) {
    return Group(9, name) + groups;
}

std::string Header(const DxfExtent& extent) {
    std::string out = Group(0, "SECTION") + Group(2, "HEADER");
    out += Variable("$ACADVER", Group(1, "AC1009"));
    out += Variable("$DWGCODEPAGE", Group(3, "ANSI_936"));
    out += Variable("$INSBASE", Coordinates(0, 0, 0));
    if (!extent.empty) {
        const DxfPoint& lo = extent.lo;
        const DxfPoint& hi = extent.hi;
        out += Variable("$EXTMIN", Coordinates(lo.x, lo.y, lo.z));
        out += Variable("$EXTMAX", Coordinates(hi.x, hi.y, hi.z));
    }
    out += Variable("$TEXTSIZE", Group(40, "0.2"));
    out += Variable("$TEXTSTYLE", Group(7, "STANDARD"));
    return out + Group(0, "ENDSEC");
}

std::string Table(const std::string& name, const std::vector<std::string>& entries) {
    std::string out =
        Group(0, "TABLE") + Group(2, name) + Group(70, std::to_string(entries.size()));
    for (const std::string& entry : entries)
        out += Group(0, name) + entry;
    return out + Group(0, "ENDTAB");
}

std::string Layer(const std::string& name) {
    return Group(2, name) + Group(70, "0") + Group(62, "7") + Group(6, "CONTINUOUS");
}

std::string Tables(bool hasPoints) {
    const std::string continuous = Group(2, "CONTINUOUS") + Group(70, "0") +
                                   Group(3, "Solid line") + Group(72, "65") + Group(73, "0") +
                                   Group(40, "0.0");
    std::vector<std::string> layers = {Layer("0")};
    if (hasPoints) {
        layers.push_back(Layer("point"));
        layers.push_back(Layer("PT#"));
    }
    // The big font lets CAD programs draw the Chinese labels with a shape font.
    const std::string standard = Group(2, "STANDARD") + Group(70, "0") + Group(40, "0.0") +
                                 Group(41, "1.0") + Group(50, "0.0") + Group(71, "0") +
                                 Group(42, "0.2") + Group(3, "txt") + Group(4, "gbcbig.shx");
    return Group(0, "SECTION") + Group(2, "TABLES") + Table("LTYPE", {continuous}) +
           Table("LAYER", layers) + Table("STYLE", {standard}) + Group(0, "ENDSEC");
}

}  // namespace

void DxfExtent::Add(double x, double y, double z) {
    if (empty) {
        lo.x = hi.x = x, lo.y = hi.y = y, lo.z = hi.z = z;
        empty = false;
    }
    lo.x = std::min(lo.x, x), lo.y = std::min(lo.y, y), lo.z = std::min(lo.z, z);
    hi.x = std::max(hi.x, x), hi.y = std::max(hi.y, y), hi.z = std::max(hi.z, z);
}

std::string CadSections(const DxfExtent& extent) {
    return Header(extent) + Tables(!extent.empty);
}

std::string AssembleCadDxf(const std::vector<DxfPoint>& points) {
    DxfExtent extent;
    for (const DxfPoint& p : points)
        extent.Add(p.x, p.y, p.z);
    return CadSections(extent) + AssembleDxf(points);
}

}  // namespace vm
