#include "win/print_table_job.h"

// The print dialog of commdlg.h needs the COM declarations the lean Windows
// headers leave out.
#include <objbase.h>

#include <commdlg.h>

#include "common/wide_text_win32.h"
#include "export/print_table_gdi.h"

namespace vm::win32 {
namespace {

// The printer's device context from the print dialog; nullptr when cancelled.
HDC AskPrinter(HWND owner) {
    PRINTDLGEXW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.Flags = PD_RETURNDC | PD_NOPAGENUMS | PD_NOSELECTION | PD_NOCURRENTPAGE;
    dialog.nStartPage = START_PAGE_GENERAL;
    const HRESULT shown = PrintDlgExW(&dialog);
    if (dialog.hDevMode)
        GlobalFree(dialog.hDevMode);
    if (dialog.hDevNames)
        GlobalFree(dialog.hDevNames);
    if (FAILED(shown) || dialog.dwResultAction != PD_RESULT_PRINT) {
        if (dialog.hDC)
            DeleteDC(dialog.hDC);
        return nullptr;
    }
    return dialog.hDC;
}

bool PrintPages(HDC dc, const PrintTable& table, const std::wstring& title) {
    DOCINFOW doc{};
    doc.cbSize = sizeof doc;
    doc.lpszDocName = title.c_str();
    if (StartDocW(dc, &doc) <= 0)
        return false;
    const size_t pages = PrintTablePageCount(dc, table);
    for (size_t page = 1; page <= pages; ++page) {
        if (StartPage(dc) <= 0 || !DrawPrintTablePage(dc, table, page) || EndPage(dc) <= 0) {
            AbortDoc(dc);
            return false;
        }
    }
    return EndDoc(dc) > 0;
}

}  // namespace

std::string PrintTableWithDialog(HWND owner, const PrintTable& table, const std::string& title) {
    const HDC dc = AskPrinter(owner);
    if (!dc)
        return {};
    const bool printed = PrintPages(dc, table, WideFromUtf8(title));
    const DWORD error = GetLastError();
    DeleteDC(dc);
    if (printed)
        return {};
    return std::string(kPrintFailedMessage) + "打印机拒绝了打印任务（错误 " +
           std::to_string(error) + "）";
}

}  // namespace vm::win32
