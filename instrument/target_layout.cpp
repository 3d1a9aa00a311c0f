#include "instrument/target_layout.h"

#include <string>

#include "instrument/number_text.h"

namespace vm {
namespace {

enum Layout {
    kCt2100 = 0,  // PC,X,Y,Z
    kEps,         // PC,PA,X,Y,Z
    kSv300,       // PO,PC,PA,Y,X,Z
    kCass3,       // Y, X, Z, PC on lines of their own
    kCass4,       // PC,PA,Y,X,Z after a point count
    kCass5,       // PC,PA,Y,X,Z
    kEpsw,        // "904 1 0 $PO" then "PC Y X Z 1 1 0 0"
    kScs,         // as CASS3.X after a count and the last name
    kSkc,         // as SCS with X before Y
    kXtdms,       // PC PA X Y Z
    kTopcon,      // PC,PA,X,Y,Z
};

// Appends each part in turn (texts and single characters), without temporaries.
template <typename... Parts>
void Put(std::string& out, const Parts&... parts) {
    ((out += parts), ...);
}

void AppendCoord(std::string& out, double value) {
    AppendFixed(out, value, 3);
}

// "a,b,c" with sep between the three coordinates, each "%.3f".
void AppendThree(std::string& out, double a, double b, double c, char sep) {
    AppendCoord(out, a);
    out.push_back(sep);
    AppendCoord(out, b);
    out.push_back(sep);
    AppendCoord(out, c);
}

// "\r\n%.3f\r\n%.3f\r\n%.3f\r\n%s": every value on a line of its own.
void AppendStacked(std::string& out, double a, double b, double c, const std::string& name) {
    for (double v : {a, b, c}) {
        out += "\r\n";
        AppendCoord(out, v);
    }
    out += "\r\n";
    out += name;
}

void AppendLayoutText(std::string& out, const std::string& name, double x, double y, double z,
                      const std::string& code, TargetLayout layout, long long sequence) {
    switch (layout) {
        case kCt2100:
            out += name;
            out.push_back(',');
            AppendThree(out, x, y, z, ',');
            break;
        case kEps:
        case kTopcon:
            Put(out, name, ',', code, ',');
            AppendThree(out, x, y, z, ',');
            break;
        case kSv300:
            Put(out, std::to_string(sequence), ',', name, ',', code, ',');
            AppendThree(out, y, x, z, ',');
            break;
        case kCass3:
        case kScs:
            AppendStacked(out, y, x, z, name);
            break;
        case kSkc:
            AppendStacked(out, x, y, z, name);
            break;
        case kCass4:
        case kCass5:
            Put(out, name, ',', code, ',');
            AppendThree(out, y, x, z, ',');
            break;
        case kEpsw:
            Put(out, "904 1 0 $", std::to_string(sequence), "\r\n", name, ' ');
            AppendThree(out, y, x, z, ' ');
            out += " 1 1 0 0";
            break;
        case kXtdms:
            Put(out, name, ' ', code, ' ');
            AppendThree(out, x, y, z, ' ');
            break;
        default:
            break;
    }
}

}  // namespace

const std::array<const char*, kTargetLayoutCount>& TargetLayoutNames() {
    static const std::array<const char*, kTargetLayoutCount> kNames = {
        "CT2100(PC,X,Y,Z)",
        "EPS(PC,PA,X,Y,Z)",
        "SV300(PO,PC,PA,Y,X,Z)",
        "CASS3.X",
        "CASS4.X(PC,PA,Y,X,Z)",
        "CASS5.X(PC,PA,Y,X,Z)",
        "EPSW(PC,Y,X,Z)",
        "SCS(PC,Y,X,Z)",
        "SKC",
        "XTDMS5.0(PC PA X Y Z)",
        "TOPCON(PC,PA,X,Y,Z)",
    };
    return kNames;
}

std::string FormatPointLine(const std::string& name, double x, double y, double z,
                            const std::string& code, TargetLayout layout, long long sequence) {
    std::string out;
    AppendLayoutText(out, name, x, y, z, code, layout, sequence);
    return out;
}

void AppendPointLine(std::string& out, const std::string& name, double x, double y, double z,
                     const std::string& code, TargetLayout layout, long long sequence) {
    AppendLayoutText(out, name, x, y, z, code, layout, sequence);
    out += "\r\n";
}

std::string LayoutHeader(TargetLayout layout, long long pointCount, const std::string& lastName) {
    if (layout == kCass4)
        return std::to_string(pointCount) + "\r\n";
    if (layout == kScs || layout == kSkc) {
        return std::to_string(pointCount) + "\r\n" + lastName + "\r\n";
    }
    return std::string();
}

}  // namespace vm
