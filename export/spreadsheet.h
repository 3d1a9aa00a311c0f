#pragma once
// CSpreadSheet: a table of text cells kept in memory and written either as a
// sheet of an Excel 97-2003 workbook (a path ending in ".xls", any case), of
// an Office Open XML workbook (".xlsx") or as a delimited text file. Row 1 is
// the header row.
//
// A row is stored as one string, every cell in double quotes and the cells
// joined by the separator (",;.?" for a workbook, the second construction
// argument for a text file); that string is what a text file receives. Rows
// put in through PutRow also keep their cells exactly as given, and those are
// what a workbook receives, so a value holding a quote, the separator or an
// apostrophe reaches its cell whole.
//
// Workbooks are written natively and whole: the writer does not read an
// existing workbook back (loading finds no sheet) and Save replaces the file.
// A table longer than one sheet goes on in further sheets (see
// LayOutOnSheets). Operations return true or false; after a failure
// LastError() holds the text of that failure.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/file_io.h"

namespace vm {

class CSpreadSheet {
public:
    using Cells = std::vector<std::string>;

    // Where the rows start from: the file already at path, or nothing (the
    // file at path is then replaced whole by Save, as the export does).
    enum class Start { FromFile, Empty };

    CSpreadSheet(const std::string& path, const std::string& sheetOrSeparator, bool backup,
                 Start start = Start::FromFile);

    // True when the path's last four characters are ".xls" in any case.
    static bool IsWorkbookPath(const std::string& path);
    // True when the path ends in ".xlsx" in any case: also a workbook.
    static bool IsXlsxPath(const std::string& path);

    // Workbooks only: these columns hold numbers below the header row; cells
    // whose text is a number are written as numbers in the format "0.000".
    void SetNumberColumns(std::vector<size_t> columns) { m_numberColumns = std::move(columns); }

    // From now on nothing is written until Save.
    bool DeferWrites();
    // Sets the header row, or with a header present and replace false extends it.
    bool SetHeaderRow(const Cells& names, bool replace);
    // Row 0 appends; 1.. inserts before that row, or overwrites it with replace;
    // a row past the end first fills the gap with blank rows.
    bool PutRow(const Cells& values, int32_t row, bool replace);
    // The cells of a stored row; row 0 takes the row at the cursor and moves it on.
    bool SplitRow(Cells& values, int32_t row);
    // Writes the whole table to the workbook or text file.
    bool Save();
    // Looks up the Excel ODBC driver. Workbooks are written natively here, so
    // no ODBC installer is asked and the name stays empty.
    bool FindExcelDriver();

    const std::string& LastError() const { return m_strError; }
    // The failed file operation of the last Save, with a message in the UI's
    // language naming the path (empty message when Save did not fail on a file).
    const FileError& LastFileError() const { return m_fileError; }

    bool IsWorkbook() const { return m_bIsWorkbook; }
    bool HasHeader() const { return m_bHasHeader; }
    bool MakesBackup() const { return m_bMakeBackup; }
    int32_t RowCount() const { return m_nRowCount; }
    int16_t ColumnCount() const { return m_nColumnCount; }
    int32_t CursorRow() const { return m_nCursorRow; }
    const std::string& Separator() const { return m_strSeparator; }
    const std::string& ConnectString() const { return m_strConnect; }
    const std::vector<std::string>& StoredRows() const { return m_aRows; }
    const Cells& Headers() const { return m_aHeaders; }

private:
    bool LoadExisting();
    bool LoadWorkbook();
    bool LoadTextFile();
    void BackUp();
    bool SaveWorkbook();
    bool SaveTextFile();

    bool AcceptRow(const Cells& values, int32_t row);
    void PlaceRow(const Cells& values, int32_t row, bool replace);
    std::string JoinRow(const Cells& values) const;
    std::string BlankCell() const;
    bool SplitStored(const std::string& stored, Cells& values);
    Cells CellsOfRow(size_t index);
    void StoreRow(size_t index, const Cells& values, bool replace);
    void AppendRow(const Cells& values);
    bool Fail(const std::string& text);

    bool m_bHasHeader = false;
    bool m_bMakeBackup = false;
    bool m_bIsWorkbook = false;
    bool m_bDeferWrites = false;
    int32_t m_nCursorRow = 1;
    int32_t m_nRowCount = 0;
    int16_t m_nColumnCount = 0;
    std::string m_strQuery;
    std::string m_strConnect;
    std::string m_strRow;
    std::string m_strSheet;
    std::string m_strDriver;
    std::string m_strPath;
    std::string m_strSeparator;
    std::string m_strError;
    Cells m_aScratch;
    Cells m_aHeaders;
    std::vector<std::string> m_aRows;
    // The exact cells of each stored row, beside m_aRows; empty for rows read
    // from a text file, which are cut apart by their quoted separators instead.
    std::vector<std::optional<Cells>> m_aRowCells;
    FileError m_fileError;
    std::vector<size_t> m_numberColumns;
};

}  // namespace vm
