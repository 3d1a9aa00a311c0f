#include "export/excel_source_cells.h"

#include <algorithm>
#include <array>
#include <charconv>

#include "common/code_page.h"
#include "common/piece_walker.h"
#include "common/text.h"
#include "export/column_widths.h"
#include "export/excel_export.h"
#include "export/xls_text.h"
#include "export/xls_workbook.h"

namespace vm {
namespace {

constexpr size_t kCellsPerRow = 5;
using CellTexts = std::array<std::string_view, kCellsPerRow>;

// The piece as CleanPiece leaves it (every CR and LF removed, the spaces at
// both ends trimmed): a range of the source, or of scratch when a CR or LF
// stands inside the piece.
std::string_view CleanedLine(std::string_view raw, std::string& scratch) {
    std::string_view line = WithoutLineEnd(raw);
    if (line.find_first_of("\r\n") != std::string_view::npos) {
        scratch = CleanPiece(std::string(raw));
        return scratch;
    }
    const size_t first = line.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return std::string_view();
    return line.substr(first, line.find_last_not_of(' ') - first + 1);
}

// The comma search of the exports: -1 when there is none, and a search from
// -1 starts over at the line's beginning.
long long FindComma(std::string_view line, long long from) {
    from = std::max(from, 0LL);
    if (from >= static_cast<long long>(line.size()))
        return -1;
    const size_t at = line.find(',', static_cast<size_t>(from));
    return at == std::string_view::npos ? -1 : static_cast<long long>(at);
}

std::string_view Mid(std::string_view line, long long start, long long count) {
    start = std::max(start, 0LL);
    count = std::max(count, 0LL);
    const long long size = static_cast<long long>(line.size());
    if (start >= size)
        return std::string_view();
    return line.substr(static_cast<size_t>(start),
                       static_cast<size_t>(std::min(count, size - start)));
}

// The five cells of ExcelCellsFromPiece, as ranges of the cleaned line.
CellTexts CutCells(std::string_view line) {
    const long long c1 = FindComma(line, 0);
    const long long c2 = FindComma(line, c1 + 1);
    const long long c3 = FindComma(line, c2 + 1);
    const long long c4 = FindComma(line, c3 + 1);
    const long long all = static_cast<long long>(line.size());
    CellTexts cells;
    cells[0] = Mid(line, 0, c1);
    cells[1] = Mid(line, c1 + 1, c2 - c1 - 1);
    cells[2] = Mid(line, c2 + 1, c3 - c2 - 1);
    if (c4 != -1) {
        cells[3] = Mid(line, c3 + 1, c4 - c3 - 1);
        cells[4] = Mid(line, c4 + 1, all);
    } else {
        cells[3] = Mid(line, c3 + 1, all);
    }
    return cells;
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
        : m_numbers(numbers), m_out(out), m_decoder(CellEncoding::Utf8) {
        m_out.book.numberFormat = numbers;
    }

    // Sizes the string table for every cell the source can hold: at most one
    // piece per line end or 99 bytes, and no more characters than bytes.
    void Reserve(std::string_view source) {
        const size_t pieces = static_cast<size_t>(std::count(source.begin(), source.end(), '\n')) +
                              source.size() / PieceWalker::kMaxPiece + 1;
        const size_t sheets = pieces / (kXlsMaxRows - 1) + 1;
        m_out.book.strings.Reserve(kCellsPerRow * (pieces + sheets), source.size() + 16);
    }

    bool Row(std::string_view raw) {
        const LineCoding coding = ClassifyLine(raw);
        m_out.counts.Add(coding);
        if (m_out.book.sheets.empty() || m_out.book.sheets.back().rowEnds.size() == kXlsMaxRows)
            StartSheet();
        const CellTexts cells = CutCells(CleanedLine(raw, m_scratch));
        for (size_t c = 0; c < kCellsPerRow; ++c) {
            if (!Cell(c, cells[c], coding))
                return false;
        }
        Sheet().EndRow();
        ++m_out.rows;
        return true;
    }

    void EndIfEmpty() {
        if (m_out.book.sheets.empty())
            StartSheet();
    }

private:
    XlsSheetCells& Sheet() { return m_out.book.sheets.back(); }

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
            Text(c, header[c], LineCoding::Ascii);
        Sheet().EndRow();
    }

    bool Cell(size_t c, std::string_view text, LineCoding coding) {
        double value = 0;
        if (m_numbers && c >= 1 && c <= 3 && ReadCellNumber(text, value)) {
            Sheet().cells.push_back(kXlsNumberCell);
            Sheet().numbers.push_back(value);
            Sheet().Widen(c, ThreeDecimalsWidth(value));
            return true;
        }
        if (text.empty()) {
            Sheet().cells.push_back(kXlsBlankCell);
            Sheet().Widen(c, 0);
            return true;
        }
        return Text(c, text, coding);
    }

    // A text cell: its UTF-16 text into the string table. Text that is not
    // ASCII goes through the system's converter (GBK by way of UTF-8).
    bool Text(size_t c, std::string_view text, LineCoding coding) {
        if (coding == LineCoding::Ascii || IsAscii(text)) {
            m_utf16.assign(text.begin(), text.end());
        } else {
            std::string utf8 = coding == LineCoding::Gbk ? GbkToUtf8(text) : std::string(text);
            if (!m_decoder.CanDecode(utf8)) {
                m_out.problem = kXlsNoConverter;
                return false;
            }
            m_utf16 = m_decoder.Decode(utf8);
        }
        Sheet().cells.push_back(m_out.book.strings.Add(m_utf16));
        Sheet().Widen(c, DisplayWidth(m_utf16));
        return true;
    }

    bool m_numbers;
    ExcelSourceCells& m_out;
    CellDecoder m_decoder;
    std::string m_scratch;
    std::u16string m_utf16;
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
