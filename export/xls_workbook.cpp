#include "export/xls_workbook.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <set>

#include "export/biff_stream.h"
#include "export/column_widths.h"
#include "export/xls_shared_strings.h"
#include "export/xls_text.h"

namespace vm {
namespace {

enum : uint16_t {
    kBof = 0x0809,
    kEof = 0x000A,
    kCodePage = 0x0042,
    kWindow1 = 0x003D,
    kFont = 0x0031,
    kXf = 0x00E0,
    kStyle = 0x0293,
    kBoundSheet = 0x0085,
    kDimensions = 0x0200,
    kIndex = 0x020B,
    kDefColWidth = 0x0055,
    kColInfo = 0x007D,
    kFormat = 0x041E,
    kNumber = 0x0203,
    kRow = 0x0208,
    kLabelSst = 0x00FD,
    kBlank = 0x0201,
    kDbCell = 0x00D7,
    kWindow2 = 0x023E,
};

constexpr uint16_t kTextXf = 15;         // the cell format of text: "@"
constexpr uint16_t kNumberXf = 16;       // the cell format of numbers: "0.000"
constexpr uint16_t kNumberFormat = 164;  // the first index of a workbook's own formats
constexpr size_t kRowsPerBlock = 32;     // rows indexed by one DBCELL
constexpr size_t kRowRecordSize = 20;
constexpr size_t kNoString = static_cast<size_t>(-1);

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

constexpr const char* kNoConverter = "系统缺少 GB18030 字符转换模块，无法写入中文文字。";

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
                return kNoConverter;
            if (cell.size() > kXlsMaxCellChars && decoder.Decode(cell).size() > kXlsMaxCellChars) {
                return "单元格的文字太长（最多 32767 个字符）。";
            }
        }
    }
    return std::string();
}

// ---- globals ----

std::string BofData(uint16_t kind) {
    std::string d;
    PutU16(d, 0x0600);  // BIFF8
    PutU16(d, kind);    // 0x0005 workbook globals, 0x0010 worksheet
    PutU16(d, 0x0DBB);  // build
    PutU16(d, 0x07CC);  // year
    PutU32(d, 0);       // file history
    PutU32(d, 0x0006);  // lowest version that can read the file
    return d;
}

std::string U16(uint16_t value) {
    std::string d;
    PutU16(d, value);
    return d;
}

std::string Window1Data() {
    std::string d;
    for (uint16_t v : {0x0000, 0x0000, 0x4000, 0x2000, 0x0038, 0, 0, 1, 0x0258})
        PutU16(d, v);
    return d;
}

// A name as a short string: 8-bit count, option byte, 16-bit characters.
void PutShortName(std::string& d, const std::u16string& name) {
    PutU8(d, static_cast<uint8_t>(name.size()));
    PutU8(d, 1);
    for (char16_t c : name)
        PutU16(d, c);
}

std::string FontData() {
    std::string d;
    PutU16(d, 240);     // 12 points
    PutU16(d, 0);       // plain
    PutU16(d, 0x7FFF);  // window text colour
    PutU16(d, 400);     // normal weight
    PutU16(d, 0);       // no super/subscript
    PutU8(d, 0);        // no underline
    PutU8(d, 2);        // roman family
    PutU8(d, 134);      // Simplified Chinese character set
    PutU8(d, 0);
    PutShortName(d, u"\u5B8B\u4F53");  // the Chinese Windows default face
    return d;
}

std::string XfData(bool style, uint16_t format, uint8_t usedAttributes) {
    std::string d;
    PutU16(d, 0);                        // font 0
    PutU16(d, format);                   // number format
    PutU16(d, style ? 0xFFF5 : 0x0001);  // locked; style XFs have no parent
    PutU8(d, 0x20);                      // general alignment, bottom
    PutU8(d, 0);                         // no rotation
    PutU8(d, 0);                         // no indent
    PutU8(d, usedAttributes);
    PutU32(d, 0);  // no borders
    PutU32(d, 0);
    PutU16(d, 0x20C0);  // default pattern colours
    return d;
}

std::string FormatData() {
    std::string d;
    PutU16(d, kNumberFormat);
    PutU16(d, 5);  // characters
    PutU8(d, 0);   // 8-bit characters
    d += "0.000";
    return d;
}

void WriteGlobals(BiffStream& s, const std::vector<std::u16string>& names,
                  const XlsSharedStrings& strings, bool numbers,
                  std::vector<size_t>& sheetPointers) {
    s.Record(kBof, BofData(0x0005));
    s.Record(kCodePage, U16(1200));  // strings are UTF-16
    s.Record(kWindow1, Window1Data());
    for (int i = 0; i < 5; ++i)
        s.Record(kFont, FontData());
    if (numbers)
        s.Record(kFormat, FormatData());
    for (int i = 0; i < 15; ++i)
        s.Record(kXf, XfData(true, 0, i == 0 ? 0x00 : 0xF4));
    s.Record(kXf, XfData(false, 49, 0x04));  // cell format 15: text
    if (numbers)
        s.Record(kXf, XfData(false, kNumberFormat, 0x04));  // cell format 16: "0.000"
    s.Record(kStyle, std::string("\x00\x80\x00\xFF", 4));   // "Normal" on XF 0
    for (const std::u16string& name : names) {
        std::string d;
        sheetPointers.push_back(s.Position() + 4);
        PutU32(d, 0);  // the sheet's position, filled in once known
        PutU8(d, 0);   // visible
        PutU8(d, 0);   // worksheet
        PutShortName(d, name);
        s.Record(kBoundSheet, d);
    }
    strings.Write(s);
    s.Record(kEof, std::string());
}

// ---- one sheet ----

struct Cell {
    size_t string = kNoString;  // shared string index; kNoString: blank, or the number
    bool isNumber = false;
    double number = 0;
};

struct SheetCells {
    std::vector<std::vector<Cell>> rows;
    std::vector<size_t> widths;  // per column, the widest value in character cells
    size_t lastRow = 0;          // one past the last row that has cells
    size_t columns = 0;          // one past the widest row's last cell
};

SheetCells CollectCells(const XlsSheet& sheet, CellDecoder& decoder, XlsSharedStrings& strings) {
    SheetCells cells;
    for (size_t r = 0; r < sheet.rows.size(); ++r) {
        std::vector<Cell> row;
        const XlsRow& texts = *sheet.rows[r];
        if (cells.widths.size() < texts.size())
            cells.widths.resize(texts.size(), 0);
        for (size_t c = 0; c < texts.size(); ++c) {
            Cell cell;
            size_t width = 0;
            if (IsNumberColumnCell(sheet, r, c) && ReadCellNumber(texts[c], cell.number)) {
                cell.isNumber = true;
                width = ThreeDecimals(cell.number).size();
            } else if (!texts[c].empty()) {
                const std::u16string text = decoder.Decode(texts[c]);
                width = DisplayWidth(text);
                cell.string = strings.Add(text);
            }
            cells.widths[c] = std::max(cells.widths[c], width);
            row.push_back(cell);
        }
        if (!row.empty())
            cells.lastRow = r + 1;
        cells.columns = std::max(cells.columns, row.size());
        cells.rows.push_back(std::move(row));
    }
    return cells;
}

std::string ColInfoData(size_t column, size_t width) {
    std::string d;
    PutU16(d, static_cast<uint16_t>(column));
    PutU16(d, static_cast<uint16_t>(column));
    PutU16(d, FittedColumnWidth(width));
    PutU16(d, kTextXf);
    PutU16(d, 0x0002);  // width set by the program, not the default
    PutU16(d, 0);
    return d;
}

std::string DimensionsData(const SheetCells& cells) {
    std::string d;
    PutU32(d, 0);
    PutU32(d, static_cast<uint32_t>(cells.lastRow));
    PutU16(d, 0);
    PutU16(d, static_cast<uint16_t>(cells.lastRow ? cells.columns : 0));
    PutU16(d, 0);
    return d;
}

std::string RowData(size_t r, size_t columns) {
    std::string d;
    PutU16(d, static_cast<uint16_t>(r));
    PutU16(d, 0);
    PutU16(d, static_cast<uint16_t>(columns));
    PutU16(d, 0x00FF);  // default height
    PutU16(d, 0);
    PutU16(d, 0);
    PutU32(d, 0x000F0100);
    return d;
}

void PutDouble(std::string& d, double value) {
    uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    PutU32(d, static_cast<uint32_t>(bits));
    PutU32(d, static_cast<uint32_t>(bits >> 32));
}

void WriteCells(BiffStream& s, size_t r, const std::vector<Cell>& row) {
    for (size_t c = 0; c < row.size(); ++c) {
        std::string d;
        PutU16(d, static_cast<uint16_t>(r));
        PutU16(d, static_cast<uint16_t>(c));
        PutU16(d, row[c].isNumber ? kNumberXf : kTextXf);
        if (row[c].isNumber) {
            PutDouble(d, row[c].number);
            s.Record(kNumber, d);
        } else if (row[c].string == kNoString) {
            s.Record(kBlank, d);
        } else {
            PutU32(d, static_cast<uint32_t>(row[c].string));
            s.Record(kLabelSst, d);
        }
    }
}

// One block of up to 32 rows: their ROW records, their cells, then the DBCELL
// that tells where each row's cells start. Returns the DBCELL's position, or
// kNoString when no row of the block has cells.
size_t WriteRowBlock(BiffStream& s, const SheetCells& cells, size_t first) {
    const size_t end = std::min(first + kRowsPerBlock, cells.rows.size());
    std::vector<size_t> used;
    for (size_t r = first; r < end; ++r) {
        if (!cells.rows[r].empty())
            used.push_back(r);
    }
    if (used.empty())
        return kNoString;
    const size_t firstRowRecord = s.Position();
    for (size_t r : used)
        s.Record(kRow, RowData(r, cells.rows[r].size()));
    std::string offsets;
    size_t previous = firstRowRecord + kRowRecordSize;  // the first offset counts from here
    for (size_t r : used) {
        PutU16(offsets, static_cast<uint16_t>(s.Position() - previous));
        previous = s.Position();
        WriteCells(s, r, cells.rows[r]);
    }
    const size_t dbCell = s.Position();
    std::string d;
    PutU32(d, static_cast<uint32_t>(dbCell - firstRowRecord));
    s.Record(kDbCell, d + offsets);
    return dbCell;
}

size_t UsedBlocks(const SheetCells& cells, size_t blocks) {
    size_t used = 0;
    for (size_t b = 0; b < blocks; ++b) {
        const size_t end = std::min((b + 1) * kRowsPerBlock, cells.rows.size());
        for (size_t r = b * kRowsPerBlock; r < end; ++r) {
            if (!cells.rows[r].empty()) {
                ++used;
                break;
            }
        }
    }
    return used;
}

std::string Window2Data(bool first) {
    std::string d;
    PutU16(d, first ? 0x06B6 : 0x00B6);  // grid, headers, zeros; the first sheet is selected
    PutU16(d, 0);
    PutU16(d, 0);
    PutU32(d, 0x40);  // grid colour: automatic
    PutU16(d, 0);
    PutU16(d, 0);
    PutU32(d, 0);
    return d;
}

// The sheet's records in the order the format gives them: BOF, INDEX (its
// DBCELL positions filled in as the row blocks are written), DEFCOLWIDTH,
// DIMENSIONS, the row blocks, WINDOW2, EOF.
void WriteSheet(BiffStream& s, const SheetCells& cells, bool first) {
    s.Record(kBof, BofData(0x0010));
    const size_t blocks = (cells.lastRow + kRowsPerBlock - 1) / kRowsPerBlock;
    const size_t usedBlocks = UsedBlocks(cells, blocks);
    const size_t index = s.Position();
    std::string d;
    PutU32(d, 0);
    PutU32(d, 0);
    PutU32(d, static_cast<uint32_t>(cells.lastRow));
    PutU32(d, 0);  // DEFCOLWIDTH's position, filled in below
    const size_t defColWidth = index + 4 + d.size() + 4 * usedBlocks;
    for (size_t b = 0; b < usedBlocks; ++b)
        PutU32(d, 0);
    s.Record(kIndex, d);
    s.Patch(index + 4 + 12, static_cast<uint32_t>(defColWidth));
    s.Record(kDefColWidth, U16(8));
    for (size_t c = 0; c < cells.widths.size(); ++c)
        s.Record(kColInfo, ColInfoData(c, cells.widths[c]));
    s.Record(kDimensions, DimensionsData(cells));
    size_t slot = 0;
    for (size_t b = 0; b < blocks; ++b) {
        const size_t dbCell = WriteRowBlock(s, cells, b * kRowsPerBlock);
        if (dbCell != kNoString)
            s.Patch(index + 4 + 16 + 4 * slot++, static_cast<uint32_t>(dbCell));
    }
    s.Record(kWindow2, Window2Data(first));
    s.Record(kEof, std::string());
}

}  // namespace

bool IsNumberColumnCell(const XlsSheet& sheet, size_t r, size_t c) {
    return r > 0 && std::find(sheet.numberColumns.begin(), sheet.numberColumns.end(), c) !=
                        sheet.numberColumns.end();
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
            return kNoConverter;
        std::string problem = CheckName(decoder.Decode(sheet.name), seen);
        if (problem.empty())
            problem = CheckRows(sheet, decoder);
        if (!problem.empty())
            return problem;
    }
    return std::string();
}

std::string BuildWorkbookStream(const std::vector<XlsSheet>& sheets) {
    CellDecoder decoder(EncodingOf(sheets));
    XlsSharedStrings strings;
    std::vector<std::u16string> names;
    std::vector<SheetCells> cells;
    for (const XlsSheet& sheet : sheets) {
        names.push_back(decoder.Decode(sheet.name));
        cells.push_back(CollectCells(sheet, decoder, strings));
    }
    bool numbers = false;
    for (const XlsSheet& sheet : sheets)
        numbers = numbers || !sheet.numberColumns.empty();
    BiffStream s;
    std::vector<size_t> sheetPointers;
    WriteGlobals(s, names, strings, numbers, sheetPointers);
    for (size_t i = 0; i < sheets.size(); ++i) {
        s.Patch(sheetPointers[i], static_cast<uint32_t>(s.Position()));
        WriteSheet(s, cells[i], i == 0);
    }
    return s.Take();
}

}  // namespace vm
