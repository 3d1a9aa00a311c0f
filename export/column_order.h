#pragma once
// The column order of a comma-separated coordinate file: in which column each
// of PT#, PCode, X, Y and Z stands, and whether there is a code column. The
// column-order rule cleans one line, cuts it into fields at its commas and puts
// them together again as a table row in the fixed order PT#, X, Y, Z, PCode.
//
// Cutting follows the comma search of every export: a search that finds no
// comma gives -1, so the next search starts over from the line's beginning. The
// last field takes everything that follows, further commas included, and no
// field is trimmed. Lines are GBK bytes; positions count bytes.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vm {

struct ColumnOrder {
    // Zero-based source columns (the number the user sees, minus one). Not
    // validated: two items may name the same column.
    int16_t m_nPtCol = 0;
    int16_t m_nXCol = 2;
    int16_t m_nYCol = 3;
    int16_t m_nZCol = 4;
    int16_t m_nCodeCol = 1;
    int32_t m_bHasCode = 1;  // 1: the file has a code column
};

// The order the dialog offers: with code PT# 1, PCode 2, X 3, Y 4, Z 5; without
// code PT# 1, X 2, Y 3, Z 4 (the PCode column stays at 2 but is not used).
ColumnOrder DefaultColumnOrder(bool hasCode);

// Every table row but its last field is followed by this many spaces.
constexpr int kColumnGap = 11;

using ColumnFields = std::array<std::string, 5>;

// The five fields F1..F5 of a cleaned line. With code there are four comma
// searches, F4 lies between the third and fourth comma and F5 is the rest after
// the fourth; without code F4 is the rest after the third comma and F5 is empty.
ColumnFields CutColumnFields(const std::string& cleaned, bool hasCode);

// The first four commas of a cleaned line, all that the comma search of the
// exports can reach, found in one scan. From(p) is that search: the first comma
// at or after p, or -1 when there is none; a search from -1 starts over at the
// line's beginning.
class LineCommas {
public:
    explicit LineCommas(std::string_view line) {
        for (size_t i = 0; i < line.size() && m_count < 4; ++i) {
            if (line[i] == ',')
                m_at[m_count++] = static_cast<long long>(i);
        }
    }
    size_t Count() const { return m_count; }
    long long From(long long p) const {
        for (size_t i = 0; i < m_count; ++i) {
            if (m_at[i] >= p)
                return m_at[i];
        }
        return -1;
    }

private:
    long long m_at[4] = {};
    size_t m_count = 0;
};

// Mid on a range: a negative start or count counts as 0, a stretch past the
// end is cut at the end, a start past the end gives "".
std::string_view MidView(std::string_view s, long long start, long long count);

// The same five fields as ranges of cleaned.
using ColumnFieldViews = std::array<std::string_view, 5>;
ColumnFieldViews CutColumnFieldViews(std::string_view cleaned, bool hasCode);

// Writes the table row of a cleaned line into out (room for
// 5 * cleaned.size() + 4 * kColumnGap + 2 bytes); returns its length, 0 for a
// line without a comma, which makes no row.
size_t WriteColumnOrderRow(std::string_view cleaned, const ColumnOrder& order, char* out);

// Applies the column-order rule to one piece read from a file (line ends and
// outer spaces are removed first). A cleaned line without a comma yields no row:
// returns false. Otherwise row holds PT#, X, Y, Z (and PCode with code), each
// but the last followed by kColumnGap spaces, ended by CR LF.
bool ColumnOrderRow(const std::string& piece, const ColumnOrder& order, std::string& row);

// The same rule, giving the row's fields (PT#, X, Y, Z and with code PCode)
// instead of the joined row; false for a line without a comma.
bool ColumnOrderFields(const std::string& piece, const ColumnOrder& order,
                       std::vector<std::string>& fields);

// The rows of a whole file's bytes, read in the instrument files' 99-byte
// pieces, in file order.
std::vector<std::string> ColumnOrderRows(const std::string& bytes, const ColumnOrder& order);

}  // namespace vm
