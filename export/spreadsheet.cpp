#include "export/spreadsheet.h"

#include <algorithm>

#include "common/text.h"
#include "export/spreadsheet_sql.h"
#include "export/xls_writer.h"
#include "export/xlsx_writer.h"

namespace vm {
namespace {

constexpr const char* kWorkbookSeparator = ",;.?";

constexpr const char* kErrOpeningFile = "Error in opening file\n";
constexpr const char* kErrDuplicateHeader = "Duplicate header row field:";
constexpr const char* kErrShorterHeader =
    "Number of columns in new header row cannot be less than the number of columns in previous "
    "header row";
constexpr const char* kErrNoHeader = "No header row. Add header row first\n";
constexpr const char* kErrTooManyValues =
    "Number of columns to be added cannot be greater than the number of fields\n";
constexpr const char* kErrAddingHeaders = "Problems with adding headers\n";
constexpr const char* kErrRowPastEnd =
    "Desired row is greater than total number of rows in spreadsheet\n";
constexpr const char* kErrWritingFile = "Error writing file\n";
constexpr const char* kErrNegativeRow = "Desired row is less than zero\n";

std::string Lower(std::string s) {
    for (char& c : s) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return s;
}

// The first value, in list order, that has a twin; nullptr when all differ.
const std::string* FirstDuplicate(const std::vector<std::string>& values) {
    for (size_t i = 0; i < values.size(); ++i) {
        for (size_t k = 0; k < values.size(); ++k) {
            if (k != i && values[k] == values[i])
                return &values[i];
        }
    }
    return nullptr;
}

// Cuts s at every occurrence of cut.
std::vector<std::string> CutAt(const std::string& s, const std::string& cut) {
    std::vector<std::string> pieces;
    size_t start = 0;
    for (size_t at = s.find(cut); at != std::string::npos; at = s.find(cut, start)) {
        pieces.push_back(s.substr(start, at - start));
        start = at + cut.size();
    }
    pieces.push_back(s.substr(start));
    return pieces;
}

// The lines of a text file as a text-mode reader gives them: CR LF ends a line
// like LF, a final line needs no line end.
std::vector<std::string> TextLines(const std::string& bytes) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find('\n', start);
        if (end == std::string::npos)
            end = bytes.size();
        std::string line = bytes.substr(start, end - start);
        if (end < bytes.size() && !line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(std::move(line));
        start = end + 1;
    }
    return lines;
}

}  // namespace

CSpreadSheet::CSpreadSheet(const std::string& path, const std::string& sheetOrSeparator,
                           bool backup, Start start)
    : m_bMakeBackup(backup), m_strPath(path) {
    m_bIsWorkbook = IsWorkbookPath(path) || IsXlsxPath(path);
    if (m_bIsWorkbook) {
        m_strSheet = sheetOrSeparator;
        m_strSeparator = kWorkbookSeparator;
        FindExcelDriver();
        m_strConnect = ExcelConnectString(m_strDriver, m_strPath);
    } else {
        m_strSeparator = sheetOrSeparator;
    }
    if ((m_bIsWorkbook || start == Start::FromFile) && LoadExisting() && m_bMakeBackup &&
        m_bHasHeader)
        BackUp();
}

bool CSpreadSheet::IsWorkbookPath(const std::string& path) {
    return Lower(Mid(path, static_cast<long long>(path.size()) - 4, 4)) == ".xls";
}

bool CSpreadSheet::IsXlsxPath(const std::string& path) {
    return Lower(Mid(path, static_cast<long long>(path.size()) - 5, 5)) == ".xlsx";
}

bool CSpreadSheet::FindExcelDriver() {
    m_strDriver = ExcelDriverFromList(std::string());
    return !m_strDriver.empty();
}

bool CSpreadSheet::Fail(const std::string& text) {
    m_strError = text;
    return false;
}

// ---- loading ----

bool CSpreadSheet::LoadExisting() {
    return m_bIsWorkbook ? LoadWorkbook() : LoadTextFile();
}

// The native writer does not read workbooks back: the sheet is never found,
// which is the state the Excel export always starts from.
bool CSpreadSheet::LoadWorkbook() {
    m_strQuery = SelectSheetStatement(m_strSheet);
    return false;
}

bool CSpreadSheet::LoadTextFile() {
    std::string bytes;
    if (!ReadFileBytes(m_strPath, bytes))
        return Fail(kErrOpeningFile);
    m_aRows = TextLines(bytes);
    m_aRowCells.assign(m_aRows.size(), std::nullopt);
    SplitRow(m_aHeaders, 1);
    m_nRowCount = static_cast<int32_t>(m_aRows.size());
    size_t columns = 0;
    Cells cells;
    for (int32_t r = 1; r <= m_nRowCount; ++r) {
        if (SplitRow(cells, r))
            columns = std::max(columns, cells.size());
    }
    m_nColumnCount = static_cast<int16_t>(std::min<size_t>(columns, INT16_MAX));
    if (m_nColumnCount != 0)
        m_bHasHeader = true;
    return true;
}

// A workbook is always written whole, so only a text file has a copy to keep:
// it is saved beside itself as "<path>.bak".
void CSpreadSheet::BackUp() {
    if (m_bIsWorkbook)
        return;
    const std::string path = m_strPath;
    m_strPath = path + ".bak";
    if (!Save())
        m_bMakeBackup = false;
    m_strPath = path;
}

// ---- rows ----

bool CSpreadSheet::DeferWrites() {
    m_bDeferWrites = true;
    return true;
}

std::string CSpreadSheet::BlankCell() const {
    return m_bIsWorkbook ? " " : "";
}

std::string CSpreadSheet::JoinRow(const Cells& values) const {
    std::string row;
    for (size_t i = 0; i < values.size(); ++i) {
        if (i > 0)
            row += m_strSeparator;
        row += "\"" + values[i] + "\"";
    }
    return row;
}

void CSpreadSheet::StoreRow(size_t index, const Cells& values, bool replace) {
    if (replace) {
        m_aRows[index] = m_strRow;
        m_aRowCells[index] = values;
    } else {
        m_aRows.insert(m_aRows.begin() + static_cast<long>(index), m_strRow);
        m_aRowCells.insert(m_aRowCells.begin() + static_cast<long>(index), values);
    }
}

void CSpreadSheet::AppendRow(const Cells& values) {
    m_aRows.push_back(JoinRow(values));
    m_aRowCells.emplace_back(values);
}

bool CSpreadSheet::SetHeaderRow(const Cells& names, bool replace) {
    if (!m_bHasHeader) {
        m_nColumnCount = static_cast<int16_t>(names.size());
        if (!PutRow(names, 1, true))
            return false;
        m_nRowCount = 1;
        return true;
    }
    if (replace)
        return PutRow(names, 1, true);
    if (!SplitRow(m_aScratch, 1))
        return false;
    if (m_bIsWorkbook) {
        for (const std::string& name : names) {
            if (std::find(m_aScratch.begin(), m_aScratch.end(), name) != m_aScratch.end()) {
                return Fail(kErrDuplicateHeader + name + "\n");
            }
        }
    }
    m_aScratch.insert(m_aScratch.end(), names.begin(), names.end());
    if (!PutRow(m_aScratch, 1, true))
        return Fail(kErrAddingHeaders);
    m_nColumnCount = std::max<int16_t>(m_nColumnCount, static_cast<int16_t>(m_aScratch.size()));
    return true;
}

// The header and column rules a row must meet before it is stored.
bool CSpreadSheet::AcceptRow(const Cells& values, int32_t row) {
    if (row < 0)
        return Fail(kErrNegativeRow);
    if (row == 1) {
        if (m_bIsWorkbook) {
            if (const std::string* twin = FirstDuplicate(values))
                return Fail(kErrDuplicateHeader + *twin + "\n");
            if (static_cast<int>(values.size()) < m_nColumnCount)
                return Fail(kErrShorterHeader);
            m_nColumnCount = static_cast<int16_t>(values.size());
        }
        m_aHeaders = values;
    } else if (m_bIsWorkbook && m_nColumnCount == 0) {
        return Fail(kErrNoHeader);
    }
    if (m_bIsWorkbook && values.size() > m_aHeaders.size())
        return Fail(kErrTooManyValues);
    if (!m_bIsWorkbook)
        m_nColumnCount = std::max<int16_t>(m_nColumnCount, static_cast<int16_t>(values.size()));
    return true;
}

// Stores m_strRow (the values joined) at row: inside the table it is inserted
// or overwrites, past the end blank rows fill the gap, row 0 appends.
void CSpreadSheet::PlaceRow(const Cells& values, int32_t row, bool replace) {
    if (row >= 1 && row <= m_nRowCount && static_cast<size_t>(row) <= m_aRows.size()) {
        StoreRow(static_cast<size_t>(row) - 1, values, replace);
        if (!replace)
            ++m_nRowCount;
    } else if (row > m_nRowCount) {
        m_nCursorRow = m_nRowCount;
        const Cells blank(static_cast<size_t>(std::max<int16_t>(m_nColumnCount, 0)), BlankCell());
        for (int32_t gap = row - m_nRowCount - 1; gap > 0; --gap) {
            AppendRow(blank);
            ++m_nCursorRow;
        }
        ++m_nCursorRow;
        AppendRow(values);
        m_nRowCount = row;
    } else {
        AppendRow(values);  // appending leaves the cursor where it is
        ++m_nRowCount;
    }
}

bool CSpreadSheet::PutRow(const Cells& values, int32_t row, bool replace) {
    if (!AcceptRow(values, row))
        return false;
    m_strRow = JoinRow(values);
    PlaceRow(values, row, replace);
    if (!m_bDeferWrites)
        Save();  // a failed write still leaves the row stored
    return true;
}

bool CSpreadSheet::SplitStored(const std::string& stored, Cells& values) {
    const std::string quoted = "\"" + m_strSeparator + "\"";
    if (!m_strSeparator.empty() && stored.find(quoted) != std::string::npos) {
        values = CutAt(stored, quoted);
        values.front().erase(0, 1);
        if (!values.back().empty())
            values.back().pop_back();
        return true;
    }
    if (!m_strSeparator.empty() && stored.find(m_strSeparator) != std::string::npos) {
        values = CutAt(stored, m_strSeparator);
        return true;
    }
    return Fail(kErrRowPastEnd);
}

bool CSpreadSheet::SplitRow(Cells& values, int32_t row) {
    const int32_t stored = static_cast<int32_t>(m_aRows.size());
    if (row > stored || row < 0)
        return Fail(row < 0 ? kErrNegativeRow : kErrRowPastEnd);
    if (row == 0 && (m_nCursorRow > stored || m_nCursorRow < 1))
        return false;
    if (row != 0)
        m_nCursorRow = row;
    values.clear();
    const size_t index = static_cast<size_t>(m_nCursorRow) - 1;
    ++m_nCursorRow;
    const std::optional<Cells>& exact = m_aRowCells[index];
    if (!exact)
        return SplitStored(m_aRows[index], values);
    if (exact->size() < 2)
        return Fail(kErrRowPastEnd);  // a single cell does not split
    values = *exact;
    return true;
}

CSpreadSheet::Cells CSpreadSheet::CellsOfRow(size_t index) {
    if (m_aRowCells[index])
        return *m_aRowCells[index];
    Cells cells;
    if (!SplitStored(m_aRows[index], cells))
        cells = {m_aRows[index]};
    return cells;
}

// ---- saving ----

bool CSpreadSheet::Save() {
    m_fileError = FileError{};
    const bool saved = m_bIsWorkbook ? SaveWorkbook() : SaveTextFile();
    if (saved)
        m_bDeferWrites = false;
    return saved;
}

// The header row and every stored row after it, in order, on as many sheets as
// they need; the workbook replaces the file in one step.
bool CSpreadSheet::SaveWorkbook() {
    if (m_aHeaders.empty())
        return Fail(kErrNoHeader);
    std::vector<XlsRow> table;
    table.reserve(m_aRows.size() + 1);
    table.push_back(m_aHeaders);
    for (int32_t g = 1; g < m_nRowCount && static_cast<size_t>(g) < m_aRows.size(); ++g) {
        table.push_back(CellsOfRow(static_cast<size_t>(g)));
    }
    const std::vector<XlsSheet> sheets = LayOutOnSheets(m_strSheet, table, m_numberColumns);
    const bool written = IsXlsxPath(m_strPath) ? WriteXlsxWorkbook(m_strPath, sheets, m_fileError)
                                               : WriteXlsWorkbook(m_strPath, sheets, m_fileError);
    if (!written) {
        return Fail(m_fileError.message);
    }
    if (!m_bHasHeader) {
        m_bHasHeader = true;
        m_nColumnCount = static_cast<int16_t>(m_aHeaders.size());
    }
    if (m_nRowCount > 1)
        m_nCursorRow = m_nRowCount + 1;  // as if every row had been split
    return true;
}

bool CSpreadSheet::SaveTextFile() {
    std::string data;
    for (const std::string& row : m_aRows)
        data += row + "\r\n";
    if (!WriteFileAtomic(m_strPath, data, &m_fileError))
        return Fail(kErrWritingFile);
    return true;
}

}  // namespace vm
