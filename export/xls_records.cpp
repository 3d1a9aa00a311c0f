#include "export/xls_records.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "export/xls_workbook.h"

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

// The records before the first sheet. Each BOUNDSHEET names where its sheet
// begins (known: from the counting pass; zero while counting).
void WriteGlobals(BiffStream& s, const XlsBookCells& book, const XlsStreamLayout* known) {
    s.Record(kBof, BofData(0x0005));
    s.Record(kCodePage, U16(1200));  // strings are UTF-16
    s.Record(kWindow1, Window1Data());
    for (int i = 0; i < 5; ++i)
        s.Record(kFont, FontData());
    if (book.numberFormat)
        s.Record(kFormat, FormatData());
    for (int i = 0; i < 15; ++i)
        s.Record(kXf, XfData(true, 0, i == 0 ? 0x00 : 0xF4));
    s.Record(kXf, XfData(false, 49, 0x04));  // cell format 15: text
    if (book.numberFormat)
        s.Record(kXf, XfData(false, kNumberFormat, 0x04));  // cell format 16: "0.000"
    s.Record(kStyle, std::string("\x00\x80\x00\xFF", 4));   // "Normal" on XF 0
    for (size_t i = 0; i < book.sheets.size(); ++i) {
        std::string d;
        PutU32(d, known ? known->sheets[i] : 0);
        PutU8(d, 0);  // visible
        PutU8(d, 0);  // worksheet
        PutShortName(d, book.sheets[i].name);
        s.Record(kBoundSheet, d);
    }
    book.strings.Write(s);
    s.Record(kEof, std::string());
}

// ---- one sheet ----

// The rows of a sheet as the records count them.
class SheetRows {
public:
    explicit SheetRows(const XlsSheetCells& sheet) : m_sheet(sheet) {
        for (size_t r = 0; r < Count(); ++r) {
            if (Size(r) > 0)
                m_lastRow = r + 1;
            m_columns = std::max(m_columns, Size(r));
        }
    }
    size_t Count() const { return m_sheet.rowEnds.size(); }
    size_t Begin(size_t r) const { return r == 0 ? 0 : m_sheet.rowEnds[r - 1]; }
    size_t Size(size_t r) const { return m_sheet.rowEnds[r] - Begin(r); }
    size_t LastRow() const { return m_lastRow; }  // one past the last row that has cells
    size_t Columns() const { return m_columns; }  // one past the widest row's last cell
    size_t Blocks() const { return (m_lastRow + kRowsPerBlock - 1) / kRowsPerBlock; }
    bool BlockUsed(size_t b) const {
        const size_t end = std::min((b + 1) * kRowsPerBlock, Count());
        for (size_t r = b * kRowsPerBlock; r < end; ++r) {
            if (Size(r) > 0)
                return true;
        }
        return false;
    }

private:
    const XlsSheetCells& m_sheet;
    size_t m_lastRow = 0;
    size_t m_columns = 0;
};

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

std::string DimensionsData(const SheetRows& rows) {
    std::string d;
    PutU32(d, 0);
    PutU32(d, static_cast<uint32_t>(rows.LastRow()));
    PutU16(d, 0);
    PutU16(d, static_cast<uint16_t>(rows.LastRow() ? rows.Columns() : 0));
    PutU16(d, 0);
    return d;
}

void WriteRowRecord(BiffStream& s, size_t r, size_t columns) {
    RecordData d;
    d.U16(static_cast<uint16_t>(r)).U16(0).U16(static_cast<uint16_t>(columns));
    d.U16(0x00FF);  // default height
    d.U16(0).U16(0).U32(0x000F0100);
    s.Record(kRow, d);
}

// The cells of row r; number cells take their values from numbers in turn.
void WriteCells(BiffStream& s, size_t r, const uint32_t* cells, size_t count,
                const double*& numbers) {
    for (size_t c = 0; c < count; ++c) {
        const uint32_t code = cells[c];
        RecordData d;
        d.U16(static_cast<uint16_t>(r)).U16(static_cast<uint16_t>(c));
        d.U16(code == kXlsNumberCell ? kNumberXf : kTextXf);
        if (code == kXlsNumberCell) {
            uint64_t bits = 0;
            std::memcpy(&bits, numbers++, sizeof bits);
            d.U32(static_cast<uint32_t>(bits)).U32(static_cast<uint32_t>(bits >> 32));
            s.Record(kNumber, d);
        } else if (code == kXlsBlankCell) {
            s.Record(kBlank, d);
        } else {
            s.Record(kLabelSst, d.U32(code));
        }
    }
}

// One block of up to 32 rows: their ROW records, their cells, then the DBCELL
// that tells where each row's cells start. Returns the DBCELL's position.
size_t WriteRowBlock(BiffStream& s, const XlsSheetCells& sheet, const SheetRows& rows, size_t first,
                     const double*& numbers) {
    const size_t end = std::min(first + kRowsPerBlock, rows.Count());
    const size_t firstRowRecord = s.Position();
    for (size_t r = first; r < end; ++r) {
        if (rows.Size(r) > 0)
            WriteRowRecord(s, r, rows.Size(r));
    }
    uint16_t offsets[kRowsPerBlock];
    size_t used = 0;
    size_t previous = firstRowRecord + kRowRecordSize;  // the first offset counts from here
    for (size_t r = first; r < end; ++r) {
        if (rows.Size(r) == 0)
            continue;
        offsets[used++] = static_cast<uint16_t>(s.Position() - previous);
        previous = s.Position();
        WriteCells(s, r, sheet.cells.data() + rows.Begin(r), rows.Size(r), numbers);
    }
    const size_t dbCell = s.Position();
    RecordData d;
    d.U32(static_cast<uint32_t>(dbCell - firstRowRecord));
    for (size_t i = 0; i < used; ++i)
        d.U16(offsets[i]);
    s.Record(kDbCell, d);
    return dbCell;
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

// The sheet's records in the order the format gives them: BOF, INDEX (naming
// the DBCELL positions: known, or zero while counting), DEFCOLWIDTH, COLINFO,
// DIMENSIONS, the row blocks, WINDOW2, EOF. Returns the DBCELL positions.
std::vector<uint32_t> WriteSheet(BiffStream& s, const XlsSheetCells& sheet, bool first,
                                 const std::vector<uint32_t>* known) {
    const SheetRows rows(sheet);
    s.Record(kBof, BofData(0x0010));
    std::vector<size_t> used;
    for (size_t b = 0; b < rows.Blocks(); ++b) {
        if (rows.BlockUsed(b))
            used.push_back(b);
    }
    std::string d;
    PutU32(d, 0);
    PutU32(d, 0);
    PutU32(d, static_cast<uint32_t>(rows.LastRow()));
    PutU32(d, static_cast<uint32_t>(s.Position() + 4 + 16 + 4 * used.size()));  // DEFCOLWIDTH
    for (size_t i = 0; i < used.size(); ++i)
        PutU32(d, known ? (*known)[i] : 0);
    s.Record(kIndex, d);
    s.Record(kDefColWidth, U16(8));
    for (size_t c = 0; c < sheet.widths.size(); ++c)
        s.Record(kColInfo, ColInfoData(c, sheet.widths[c]));
    s.Record(kDimensions, DimensionsData(rows));
    std::vector<uint32_t> dbCells;
    const double* numbers = sheet.numbers.data();
    for (size_t b : used) {
        const size_t at = WriteRowBlock(s, sheet, rows, b * kRowsPerBlock, numbers);
        dbCells.push_back(static_cast<uint32_t>(at));
    }
    s.Record(kWindow2, Window2Data(first));
    s.Record(kEof, std::string());
    return dbCells;
}

XlsStreamLayout WriteBook(const XlsBookCells& book, const XlsStreamLayout* known, BiffStream& s) {
    XlsStreamLayout seen;
    WriteGlobals(s, book, known);
    for (size_t i = 0; i < book.sheets.size(); ++i) {
        seen.sheets.push_back(static_cast<uint32_t>(s.Position()));
        seen.dbCells.push_back(
            WriteSheet(s, book.sheets[i], i == 0, known ? &known->dbCells[i] : nullptr));
    }
    seen.size = s.Position();
    return seen;
}

}  // namespace

XlsStreamLayout LayOutWorkbookStream(const XlsBookCells& book) {
    BiffStream counter(nullptr);
    return WriteBook(book, nullptr, counter);
}

void WriteWorkbookStream(const XlsBookCells& book, const XlsStreamLayout& layout, BiffStream& out) {
    WriteBook(book, &layout, out);
}

}  // namespace vm
