#include "export/xls_workbook.h"

#include <algorithm>
#include <set>

#include "common/code_page.h"
#include "export/column_widths.h"
#include "export/xls_records.h"
#include "export/xls_text.h"

namespace vm {
namespace {

// ---- layout and checks ----

CellEncoding EncodingOf(const std::vector<XlsSheet>& sheets) {
    for (const XlsSheet& sheet : sheets) {
        if (!IsValidUtf8(sheet.name))
            return CellEncoding::Gbk;
        for (const XlsRow* row : sheet.rows) {
            for (const std::string& cell : *row) {
                if (!IsValidUtf8(cell))
                    return CellEncoding::Gbk;
            }
        }
    }
    return CellEncoding::Utf8;
}

std::u16string Folded(std::u16string name) {
    for (char16_t& c : name) {
        if (c >= u'a' && c <= u'z')
            c = static_cast<char16_t>(c - u'a' + u'A');
    }
    return name;
}

std::string CheckName(const std::u16string& name, std::set<std::u16string>& seen) {
    if (name.empty())
        return "工作表名称不能为空。";
    if (name.size() > kXlsMaxSheetName)
        return "工作表名称太长（最多 31 个字符）。";
    if (name.find_first_of(u":\\/?*[]") != std::u16string::npos) {
        return "工作表名称不能含有 : \\ / ? * [ ] 这些字符。";
    }
    if (!seen.insert(Folded(name)).second)
        return "工作表名称重复。";
    return std::string();
}

std::string CheckRows(const XlsSheet& sheet, CellDecoder& decoder) {
    if (sheet.rows.size() > kXlsMaxRows)
        return "一个工作表最多只能有 65536 行。";
    for (const XlsRow* row : sheet.rows) {
        if (row->size() > kXlsMaxColumns)
            return "一个工作表最多只能有 256 列。";
        for (const std::string& cell : *row) {
            if (!decoder.CanDecode(cell))
                return kXlsNoConverter;
            if (cell.size() > kXlsMaxCellChars && decoder.Decode(cell).size() > kXlsMaxCellChars) {
                return "单元格的文字太长（最多 32767 个字符）。";
            }
        }
    }
    return std::string();
}

// ---- cells ----

XlsSheetCells CollectCells(const XlsSheet& sheet, CellDecoder& decoder, XlsSharedStrings& strings) {
    XlsSheetCells cells;
    cells.name = decoder.Decode(sheet.name);
    for (size_t r = 0; r < sheet.rows.size(); ++r) {
        const XlsRow& texts = *sheet.rows[r];
        for (size_t c = 0; c < texts.size(); ++c) {
            double number = 0;
            size_t width = 0;
            if (IsNumberColumnCell(sheet, r, c) && ReadCellNumber(texts[c], number)) {
                cells.cells.push_back(kXlsNumberCell);
                cells.numbers.push_back(number);
                width = ThreeDecimals(number).size();
            } else if (texts[c].empty()) {
                cells.cells.push_back(kXlsBlankCell);
            } else {
                const std::u16string text = decoder.Decode(texts[c]);
                width = DisplayWidth(text);
                cells.cells.push_back(strings.Add(text));
            }
            cells.Widen(c, width);
        }
        cells.EndRow();
    }
    return cells;
}

}  // namespace

bool IsNumberColumnCell(const XlsSheet& sheet, size_t r, size_t c) {
    return r > 0 && std::find(sheet.numberColumns.begin(), sheet.numberColumns.end(), c) !=
                        sheet.numberColumns.end();
}

std::string CellTextUtf8(const std::string& bytes) {
    return IsValidUtf8(bytes) ? bytes : GbkToUtf8(bytes);
}

std::vector<size_t> SheetColumnWidths(const XlsSheet& sheet) {
    std::vector<size_t> widths;
    for (size_t r = 0; r < sheet.rows.size(); ++r) {
        const XlsRow& row = *sheet.rows[r];
        widths.resize(std::max(widths.size(), row.size()), 0);
        for (size_t c = 0; c < row.size(); ++c) {
            double value = 0;
            const size_t width = IsNumberColumnCell(sheet, r, c) && ReadCellNumber(row[c], value)
                                     ? ThreeDecimals(value).size()
                                     : DisplayWidthUtf8(CellTextUtf8(row[c]));
            widths[c] = std::max(widths[c], width);
        }
    }
    return widths;
}

uint16_t FittedColumnWidth(size_t cells) {
    // One character of room beside the value, as a column fitted by hand has.
    const size_t characters = std::min<size_t>(cells + 1, 255);
    return static_cast<uint16_t>(characters * 256);
}

std::vector<XlsSheet> LayOutOnSheets(const std::string& name, const std::vector<XlsRow>& table,
                                     const std::vector<size_t>& numberColumns) {
    std::vector<XlsSheet> sheets;
    const size_t perSheet = kXlsMaxRows - 1;  // data rows below each sheet's header
    size_t next = 1;
    do {
        XlsSheet sheet;
        sheet.numberColumns = numberColumns;
        sheet.name = sheets.empty() ? name : name + " (" + std::to_string(sheets.size() + 1) + ")";
        if (!table.empty())
            sheet.rows.push_back(&table[0]);
        for (size_t end = std::min(next + perSheet, table.size()); next < end; ++next) {
            sheet.rows.push_back(&table[next]);
        }
        sheets.push_back(std::move(sheet));
    } while (next < table.size());
    return sheets;
}

std::string CheckSheets(const std::vector<XlsSheet>& sheets) {
    if (sheets.empty())
        return "工作簿中没有工作表。";
    CellDecoder decoder(EncodingOf(sheets));
    std::set<std::u16string> seen;
    for (const XlsSheet& sheet : sheets) {
        if (!decoder.CanDecode(sheet.name))
            return kXlsNoConverter;
        std::string problem = CheckName(decoder.Decode(sheet.name), seen);
        if (problem.empty())
            problem = CheckRows(sheet, decoder);
        if (!problem.empty())
            return problem;
    }
    return std::string();
}

XlsBookCells CollectBookCells(const std::vector<XlsSheet>& sheets) {
    CellDecoder decoder(EncodingOf(sheets));
    XlsBookCells book;
    for (const XlsSheet& sheet : sheets) {
        book.sheets.push_back(CollectCells(sheet, decoder, book.strings));
        book.numberFormat = book.numberFormat || !sheet.numberColumns.empty();
    }
    return book;
}

std::string BuildWorkbookStream(const std::vector<XlsSheet>& sheets) {
    const XlsBookCells book = CollectBookCells(sheets);
    BiffStream s;
    WriteWorkbookStream(book, LayOutWorkbookStream(book), s);
    return s.Take();
}

}  // namespace vm
