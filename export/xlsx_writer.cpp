#include "export/xlsx_writer.h"

#include <algorithm>
#include <cstdlib>
#include <unistd.h>
#include <xlsxwriter.h>

#include "common/code_page.h"
#include "export/column_widths.h"

namespace vm {
namespace {

struct Formats {
    lxw_format* text;
    lxw_format* number;
};

lxw_error WriteSheet(lxw_workbook* book, const XlsSheet& sheet, const Formats& formats) {
    lxw_worksheet* ws = workbook_add_worksheet(book, CellTextUtf8(sheet.name).c_str());
    if (!ws)
        return LXW_ERROR_PARAMETER_VALIDATION;
    const std::vector<size_t> widths = SheetColumnWidths(sheet);
    for (size_t c = 0; c < widths.size(); ++c) {
        const double characters = FittedColumnWidth(widths[c]) / 256.0;
        worksheet_set_column(ws, static_cast<lxw_col_t>(c), static_cast<lxw_col_t>(c), characters,
                             nullptr);
    }
    for (size_t r = 0; r < sheet.rows.size(); ++r) {
        const XlsRow& row = *sheet.rows[r];
        for (size_t c = 0; c < row.size(); ++c) {
            const auto rr = static_cast<lxw_row_t>(r);
            const auto cc = static_cast<lxw_col_t>(c);
            double value = 0;
            lxw_error err = LXW_NO_ERROR;
            if (IsNumberColumnCell(sheet, r, c) && ReadCellNumber(row[c], value))
                err = worksheet_write_number(ws, rr, cc, value, formats.number);
            else if (row[c].empty())
                err = worksheet_write_blank(ws, rr, cc, formats.text);
            else
                err =
                    worksheet_write_string(ws, rr, cc, CellTextUtf8(row[c]).c_str(), formats.text);
            if (err != LXW_NO_ERROR)
                return err;
        }
    }
    return LXW_NO_ERROR;
}

// libxlsxwriter writes to a file name of its own; the workbook is made in a
// private temporary file and then put in place like every other target.
std::string BuildInTemporaryFile(const std::vector<XlsSheet>& sheets, std::string& problem) {
    const char* tmp = std::getenv("TMPDIR");
    std::string name = std::string(tmp && *tmp ? tmp : "/tmp") + "/veltramarlin-XXXXXX";
    const int fd = ::mkstemp(name.data());
    if (fd < 0) {
        problem = "无法建立临时文件";
        return std::string();
    }
    ::close(fd);
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;  // rows go to disk as they are written
    lxw_workbook* book = workbook_new_opt(name.c_str(), &options);
    lxw_error err = book ? LXW_NO_ERROR : LXW_ERROR_MEMORY_MALLOC_FAILED;
    if (book) {
        Formats formats{workbook_add_format(book), workbook_add_format(book)};
        format_set_num_format(formats.text, "@");
        format_set_num_format(formats.number, "0.000");
        for (const XlsSheet& sheet : sheets) {
            if (err == LXW_NO_ERROR)
                err = WriteSheet(book, sheet, formats);
        }
        const lxw_error closed = workbook_close(book);
        err = err == LXW_NO_ERROR ? closed : err;
    }
    std::string bytes;
    if (err != LXW_NO_ERROR)
        problem = lxw_strerror(err);
    else if (!ReadFileBytes(name, bytes))
        problem = "无法读取临时文件";
    ::unlink(name.c_str());
    return bytes;
}

}  // namespace

bool WriteXlsxWorkbook(const std::string& path, const std::vector<XlsSheet>& sheets,
                       FileError& error) {
    std::string problem = CheckSheets(sheets);
    std::string bytes;
    if (problem.empty())
        bytes = BuildInTemporaryFile(sheets, problem);
    if (!problem.empty()) {
        error = FileError{0, "无法保存工作簿 " + path + "：" + problem};
        return false;
    }
    return WriteFileAtomic(path, bytes, &error);
}

}  // namespace vm
