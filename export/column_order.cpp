#include "export/column_order.h"

#include <cstring>

#include "common/line_reader.h"
#include "common/text.h"

namespace vm {

ColumnOrder DefaultColumnOrder(bool hasCode) {
    ColumnOrder order;
    if (!hasCode) {
        order.m_nXCol = 1;
        order.m_nYCol = 2;
        order.m_nZCol = 3;
        order.m_bHasCode = 0;
    }
    return order;
}

std::string_view MidView(std::string_view s, long long start, long long count) {
    const long long size = static_cast<long long>(s.size());
    start = start < 0 ? 0 : start;
    if (start >= size)
        return {};
    count = count < 0 ? 0 : count > size - start ? size - start : count;
    return s.substr(static_cast<size_t>(start), static_cast<size_t>(count));
}

namespace {

ColumnFieldViews CutAt(std::string_view cleaned, const LineCommas& commas, bool hasCode) {
    const long long c1 = commas.From(0);
    const long long c2 = commas.From(c1 + 1);
    const long long c3 = commas.From(c2 + 1);
    const long long whole = static_cast<long long>(cleaned.size());
    ColumnFieldViews f;
    f[0] = MidView(cleaned, 0, c1);
    f[1] = MidView(cleaned, c1 + 1, c2 - c1 - 1);
    f[2] = MidView(cleaned, c2 + 1, c3 - c2 - 1);
    if (hasCode) {
        const long long c4 = commas.From(c3 + 1);
        f[3] = MidView(cleaned, c3 + 1, c4 - c3 - 1);
        f[4] = MidView(cleaned, c4 + 1, whole);
    } else {
        f[3] = MidView(cleaned, c3 + 1, whole);
    }
    return f;
}

}  // namespace

ColumnFieldViews CutColumnFieldViews(std::string_view cleaned, bool hasCode) {
    return CutAt(cleaned, LineCommas(cleaned), hasCode);
}

ColumnFields CutColumnFields(const std::string& cleaned, bool hasCode) {
    const ColumnFieldViews views = CutColumnFieldViews(cleaned, hasCode);
    ColumnFields f;
    for (size_t i = 0; i < f.size(); ++i)
        f[i] = std::string(views[i]);
    return f;
}

size_t WriteColumnOrderRow(std::string_view cleaned, const ColumnOrder& order, char* out) {
    const LineCommas commas(cleaned);
    if (commas.Count() == 0)
        return 0;
    const ColumnFieldViews cut = CutAt(cleaned, commas, order.m_bHasCode == 1);
    const int16_t columns[] = {order.m_nPtCol, order.m_nXCol, order.m_nYCol, order.m_nZCol,
                               order.m_nCodeCol};
    const size_t count = order.m_bHasCode == 1 ? 5 : 4;
    char* p = out;
    for (size_t i = 0; i < count; ++i) {
        if (i > 0)
            p = static_cast<char*>(std::memset(p, ' ', kColumnGap)) + kColumnGap;
        // Column index k selects field F(k+1); an index outside 0-4 selects nothing.
        const int16_t column = columns[i];
        if (column >= 0 && column < 5)
            p += cut[static_cast<size_t>(column)].copy(p, cut[static_cast<size_t>(column)].size());
    }
    *p++ = '\r';
    *p++ = '\n';
    return static_cast<size_t>(p - out);
}

namespace {

// Column index k selects field F(k+1); an index outside 0-4 selects nothing.
const std::string& FieldAt(const ColumnFields& fields, int16_t column) {
    static const std::string kNone;
    return column >= 0 && column < 5 ? fields[static_cast<size_t>(column)] : kNone;
}

}  // namespace

bool ColumnOrderFields(const std::string& piece, const ColumnOrder& order,
                       std::vector<std::string>& fields) {
    const std::string cleaned = CleanPiece(piece);
    if (cleaned.find(',') == std::string::npos)
        return false;

    const bool hasCode = order.m_bHasCode == 1;
    const ColumnFields cut = CutColumnFields(cleaned, hasCode);
    std::vector<int16_t> columns = {order.m_nPtCol, order.m_nXCol, order.m_nYCol, order.m_nZCol};
    if (hasCode)
        columns.push_back(order.m_nCodeCol);
    fields.clear();
    for (int16_t column : columns)
        fields.push_back(FieldAt(cut, column));
    return true;
}

bool ColumnOrderRow(const std::string& piece, const ColumnOrder& order, std::string& row) {
    const std::string cleaned = CleanPiece(piece);
    row.resize(5 * cleaned.size() + 4 * kColumnGap + 2);
    row.resize(WriteColumnOrderRow(cleaned, order, row.data()));
    return !row.empty();
}

std::vector<std::string> ColumnOrderRows(const std::string& bytes, const ColumnOrder& order) {
    std::vector<std::string> rows;
    LineReader reader(bytes);
    std::string piece;
    std::string row;
    while (reader.Next(piece)) {
        if (ColumnOrderRow(piece, order, row))
            rows.push_back(row);
    }
    return rows;
}

}  // namespace vm
