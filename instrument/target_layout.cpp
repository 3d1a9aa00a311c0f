#include "instrument/target_layout.h"

#include <charconv>
#include <string>

#include "common/decimal_text.h"

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

// Writes the parts of a point line one after another into a buffer that is
// large enough for any of them (kMaxPointLine bytes).
class LineWriter {
public:
    explicit LineWriter(char* out) : m_begin(out), m_p(out) {}

    LineWriter& operator<<(std::string_view text) {
        text.copy(m_p, text.size());
        m_p += text.size();
        return *this;
    }
    LineWriter& operator<<(char c) {
        *m_p++ = c;
        return *this;
    }
    LineWriter& Number(long long n) {
        m_p = std::to_chars(m_p, m_p + 24, n).ptr;
        return *this;
    }
    LineWriter& Coord(double value) {
        m_p += FormatFixed(value, 3, m_p);
        return *this;
    }
    // "a,b,c" with sep between the three coordinates, each "%.3f".
    LineWriter& Three(double a, double b, double c, char sep) {
        Coord(a) << sep;
        Coord(b) << sep;
        return Coord(c);
    }
    // "\r\n%.3f\r\n%.3f\r\n%.3f\r\n%s": every value on a line of its own.
    LineWriter& Stacked(double a, double b, double c, std::string_view name) {
        for (double v : {a, b, c}) {
            *this << "\r\n";
            Coord(v);
        }
        return *this << "\r\n" << name;
    }
    size_t Length() const { return static_cast<size_t>(m_p - m_begin); }

private:
    char* m_begin;
    char* m_p;
};

size_t WriteLayoutText(char* out, std::string_view name, double x, double y, double z,
                       std::string_view code, TargetLayout layout, long long sequence) {
    LineWriter w(out);
    switch (layout) {
        case kCt2100:
            (w << name << ',').Three(x, y, z, ',');
            break;
        case kEps:
        case kTopcon:
            (w << name << ',' << code << ',').Three(x, y, z, ',');
            break;
        case kSv300:
            (w.Number(sequence) << ',' << name << ',' << code << ',').Three(y, x, z, ',');
            break;
        case kCass3:
        case kScs:
            w.Stacked(y, x, z, name);
            break;
        case kSkc:
            w.Stacked(x, y, z, name);
            break;
        case kCass4:
        case kCass5:
            (w << name << ',' << code << ',').Three(y, x, z, ',');
            break;
        case kEpsw:
            (w << "904 1 0 $").Number(sequence) << "\r\n" << name << ' ';
            w.Three(y, x, z, ' ') << " 1 1 0 0";
            break;
        case kXtdms:
            (w << name << ' ' << code << ' ').Three(x, y, z, ' ');
            break;
        default:
            break;
    }
    return w.Length();
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

size_t WritePointLine(char* out, std::string_view name, double x, double y, double z,
                      std::string_view code, TargetLayout layout, long long sequence) {
    const size_t length = WriteLayoutText(out, name, x, y, z, code, layout, sequence);
    out[length] = '\r';
    out[length + 1] = '\n';
    return length + 2;
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
