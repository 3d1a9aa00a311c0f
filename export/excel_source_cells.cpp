#include "export/excel_source_cells.h"

#include <array>
#include <charconv>

#include "common/code_page.h"
#include "common/piece_walker.h"
#include "export/column_widths.h"
#include "export/excel_export.h"
#include "export/xls_text.h"
#include "export/xls_workbook.h"

namespace vm {
namespace {

constexpr size_t kCellsPerRow = 5;
using CellTexts = std::array<std::string_view, kCellsPerRow>;

// The five cells of ExcelCellsFromPiece, as ranges of the cleaned line.
CellTexts CutCells(std::string_view line) {
    const LineCommas commas(line);
    const long long c1 = commas.From(0);
    const long long c2 = commas.From(c1 + 1);
    const long long c3 = commas.From(c2 + 1);
    const long long c4 = commas.From(c3 + 1);
    const long long all = static_cast<long long>(line.size());
    CellTexts cells;
    cells[0] = MidView(line, 0, c1);
    cells[1] = MidView(line, c1 + 1, c2 - c1 - 1);
    cells[2] = MidView(line, c2 + 1, c3 - c2 - 1);
    if (c4 != -1) {
        cells[3] = MidView(line, c3 + 1, c4 - c3 - 1);
        cells[4] = MidView(line, c4 + 1, all);
    } else {
        cells[3] = MidView(line, c3 + 1, all);
    }
    return cells;
}

// The UTF-16 text of valid UTF-8 (as the system's converter gives it).
void DecodeUtf8(std::string_view utf8, std::u16string& out) {
    out.clear();
    for (size_t i = 0; i < utf8.size();) {
        const unsigned char lead = static_cast<unsigned char>(utf8[i]);
        const size_t length = Utf8SequenceLength(lead);
        char32_t c = length == 1 ? lead : lead & (0x7F >> length);
        for (size_t k = 1; k < length; ++k)
            c = (c << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        if (c >= 0x10000) {
            out.push_back(static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(c));
        }
        i += length;
    }
}

size_t ThreeDecimalsWidth(double value) {
    char buffer[400];
    return static_cast<size_t>(
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 3).ptr -
        buffer);
}

// Fills one workbook from the pieces, sheet by sheet.
class Gatherer {
public:
    Gatherer(bool numbers, ExcelSourceCells& out)
        : m_numbers(numbers),
          m_out(out),
          m_canConvert(CellDecoder(CellEncoding::Utf8).CanDecode("\xC2\xA0")) {
        m_out.book.numberFormat = numbers;
    }

    // Sizes the string table for every cell the source can hold (one row per
    // piece; no more characters than bytes).
    void Reserve(std::string_view source) {
        size_t pieces = 0;
        PieceWalker walker(source);
        for (std::string_view raw; walker.Next(raw);)
            ++pieces;
        const size_t sheets = pieces / (kXlsMaxRows - 1) + 1;
        m_out.book.strings.Reserve(kCellsPerRow * (pieces + sheets), source.size() + 16);
    }

    bool Row(std::string_view raw) {
        const LineCoding coding = ClassifyLine(raw);
        m_out.counts.Add(coding);
        if (m_out.book.sheets.empty() || m_out.book.sheets.back().rowEnds.size() == kXlsMaxRows)
            StartSheet();
        const CellTexts texts = CutCells(CleanedPiece(raw, m_scratch));
        // Every cell read first, then the row's texts into the string table
        // together (see XlsSharedStrings::Fetch).
        for (size_t c = 0; c < kCellsPerRow; ++c) {
            if (!Read(c, texts[c], coding, m_row[c]))
                return false;
        }
        PutRow();
        ++m_out.rows;
        return true;
    }

    void EndIfEmpty() {
        if (m_out.book.sheets.empty())
            StartSheet();
    }

private:
    XlsSheetCells& Sheet() { return m_out.book.sheets.back(); }

    // A cell read from the source: a number, a blank or a text in UTF-16.
    struct Cell {
        uint32_t code = kXlsBlankCell;  // kXlsNumberCell, kXlsBlankCell, or a text to add
        double number = 0;
        size_t width = 0;
        std::u16string text;
        uint32_t hash = 0;
    };

    void StartSheet() {
        const size_t count = m_out.book.sheets.size();
        std::string name = kExcelSheetName;
        if (count > 0)
            name += " (" + std::to_string(count + 1) + ")";
        m_out.book.sheets.emplace_back();
        Sheet().name.assign(name.begin(), name.end());
        Sheet().cells.reserve(kXlsMaxRows * kCellsPerRow);
        Sheet().rowEnds.reserve(kXlsMaxRows);
        const std::vector<std::string> header = ExcelHeaderRow();
        for (size_t c = 0; c < header.size(); ++c)
            ReadText(header[c], LineCoding::Ascii, m_row[c]);
        PutRow();
    }

    bool Read(size_t c, std::string_view text, LineCoding coding, Cell& cell) {
        if (m_numbers && c >= 1 && c <= 3 && ReadCellNumber(text, cell.number)) {
            cell.code = kXlsNumberCell;
            cell.width = ThreeDecimalsWidth(cell.number);
            return true;
        }
        cell.code = kXlsBlankCell;
        cell.width = 0;
        return text.empty() || ReadText(text, coding, cell);
    }

    // A text cell's UTF-16 text. GBK text goes through the system's
    // converter to UTF-8 first; a workbook with text that is not ASCII is
    // refused where the system has no converters.
    bool ReadText(std::string_view text, LineCoding coding, Cell& cell) {
        cell.code = 0;
        cell.width = text.size();  // an ASCII character is one cell wide
        if (coding == LineCoding::Ascii || IsAscii(text)) {
            cell.text.assign(text.begin(), text.end());
        } else {
            if (!m_canConvert) {
                m_out.problem = kXlsNoConverter;
                return false;
            }
            if (coding == LineCoding::Gbk)
                DecodeUtf8(GbkToUtf8(text), cell.text);
            else
                DecodeUtf8(text, cell.text);  // the line is valid UTF-8, so is each cell
            cell.width = DisplayWidth(cell.text);
        }
        cell.hash = XlsSharedStrings::Hash(cell.text);
        m_out.book.strings.Fetch(cell.hash);
        return true;
    }

    void PutRow() {
        XlsSheetCells& sheet = Sheet();
        for (size_t c = 0; c < kCellsPerRow; ++c) {
            Cell& cell = m_row[c];
            if (cell.code == kXlsNumberCell)
                sheet.numbers.push_back(cell.number);
            else if (cell.code != kXlsBlankCell)
                cell.code = m_out.book.strings.Add(cell.text, cell.hash);
            sheet.cells.push_back(cell.code);
            sheet.Widen(c, cell.width);
        }
        sheet.EndRow();
    }

    bool m_numbers;
    ExcelSourceCells& m_out;
    bool m_canConvert;  // the system has the converters for text that is not ASCII
    std::string m_scratch;
    std::array<Cell, kCellsPerRow> m_row;
};

}  // namespace

void GatherExcelCells(std::string_view source, bool numbers, ExcelSourceCells& out) {
    Gatherer gatherer(numbers, out);
    gatherer.Reserve(source);
    PieceWalker pieces(source);
    std::string_view raw;
    while (pieces.Next(raw)) {
        if (!gatherer.Row(raw))
            return;
    }
    gatherer.EndIfEmpty();
}

}  // namespace vm
