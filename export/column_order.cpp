#include "export/column_order.h"

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

ColumnFields CutColumnFields(const std::string& cleaned, bool hasCode) {
    const long long c1 = FindChar(cleaned, ',', 0);
    const long long c2 = FindChar(cleaned, ',', c1 + 1);
    const long long c3 = FindChar(cleaned, ',', c2 + 1);
    ColumnFields f;
    f[0] = Mid(cleaned, 0, c1);
    f[1] = Mid(cleaned, c1 + 1, c2 - c1 - 1);
    f[2] = Mid(cleaned, c2 + 1, c3 - c2 - 1);
    if (hasCode) {
        const long long c4 = FindChar(cleaned, ',', c3 + 1);
        f[3] = Mid(cleaned, c3 + 1, c4 - c3 - 1);
        f[4] = MidFrom(cleaned, c4 + 1);
    } else {
        f[3] = MidFrom(cleaned, c3 + 1);
    }
    return f;
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
    std::vector<std::string> fields;
    if (!ColumnOrderFields(piece, order, fields))
        return false;
    const std::string gap(kColumnGap, ' ');
    row.clear();
    for (size_t i = 0; i < fields.size(); ++i) {
        if (i > 0)
            row += gap;
        row += fields[i];
    }
    row += "\r\n";
    return true;
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
