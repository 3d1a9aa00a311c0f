#include "export/print_table_gdi.h"

#include <windows.h>

#include <algorithm>
#include <string>

#include "common/wide_text_win32.h"
#include "export/print_page.h"

namespace vm {
namespace {

// The printed table's font on this device: fixed pitch, Chinese characters
// two cells wide (NSimSun, which every Chinese Windows has), plain and bold.
struct TableFonts {
    HFONT plain = nullptr;
    HFONT bold = nullptr;
    TableFonts(HDC dc, double points) {
        const int height =
            -MulDiv(static_cast<int>(points * 100 + 0.5), GetDeviceCaps(dc, LOGPIXELSY), 7200);
        plain = Make(height, FW_NORMAL);
        bold = Make(height, FW_BOLD);
    }
    ~TableFonts() {
        DeleteObject(plain);
        DeleteObject(bold);
    }
    TableFonts(const TableFonts&) = delete;
    TableFonts& operator=(const TableFonts&) = delete;

    static HFONT Make(int height, int weight) {
        return CreateFontW(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, GB2312_CHARSET,
                           OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                           FIXED_PITCH | FF_MODERN, L"NSimSun");
    }
};

double CellWidth(HDC dc, HFONT font) {
    const HGDIOBJ old = SelectObject(dc, font);
    SIZE size{};
    GetTextExtentPoint32W(dc, L"0", 1, &size);
    SelectObject(dc, old);
    return size.cx;
}

// The metrics of the table's font once it is sized to fit the page.
PrintMetrics Measure(HDC dc, HFONT font) {
    PrintMetrics m;
    m.width = GetDeviceCaps(dc, HORZRES);
    m.height = GetDeviceCaps(dc, VERTRES);
    const HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    SelectObject(dc, old);
    m.cell = CellWidth(dc, font);
    m.line = tm.tmHeight * kPrintLineSpacing;
    return m;
}

double FittedPoints(HDC dc, const PrintTable& table) {
    const TableFonts largest(dc, kPrintLargestPoints);
    return PrintFontPoints(CellWidth(dc, largest.plain), GetDeviceCaps(dc, HORZRES),
                           PrintTableWidth(table));
}

UINT Format(PrintAlign align) {
    const UINT common = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_NOCLIP;
    switch (align) {
        case PrintAlign::Right:
            return common | DT_RIGHT;
        case PrintAlign::Center:
            return common | DT_CENTER;
        case PrintAlign::Left:
            break;
    }
    return common | DT_LEFT;
}

bool DrawLayout(HDC dc, const PrintPageLayout& page, const TableFonts& fonts) {
    bool drawn = true;
    for (const PrintText& t : page.texts) {
        if (t.text.empty())
            continue;
        SelectObject(dc, t.bold ? fonts.bold : fonts.plain);
        RECT box{static_cast<LONG>(t.x), static_cast<LONG>(t.y),
                 static_cast<LONG>(t.x + t.width + 0.5), static_cast<LONG>(t.y + t.height + 0.5)};
        std::wstring text = win32::WideFromUtf8(t.text);
        drawn =
            DrawTextW(dc, text.data(), static_cast<int>(text.size()), &box, Format(t.align)) != 0 &&
            drawn;
    }
    const int pen = std::max(1, GetDeviceCaps(dc, LOGPIXELSY) / 96);
    const HGDIOBJ oldPen = SelectObject(dc, CreatePen(PS_SOLID, pen, RGB(0, 0, 0)));
    MoveToEx(dc, 0, static_cast<int>(page.ruleY), nullptr);
    drawn = LineTo(dc, static_cast<int>(page.ruleWidth), static_cast<int>(page.ruleY)) && drawn;
    DeleteObject(SelectObject(dc, oldPen));
    return drawn;
}

}  // namespace

size_t PrintTablePageCount(HDC__* dc, const PrintTable& table) {
    const TableFonts fonts(dc, FittedPoints(dc, table));
    return PrintPages(table, Measure(dc, fonts.plain)).size();
}

bool DrawPrintTablePage(HDC__* dc, const PrintTable& table, size_t page) {
    const TableFonts fonts(dc, FittedPoints(dc, table));
    const PrintMetrics m = Measure(dc, fonts.plain);
    const std::vector<PrintPage> pages = PrintPages(table, m);
    if (page < 1 || page > pages.size() || !fonts.plain || !fonts.bold)
        return false;
    const int saved = SaveDC(dc);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    const bool drawn = DrawLayout(dc, LayOutPrintPage(table, pages, page - 1, m), fonts);
    RestoreDC(dc, saved);
    return drawn;
}

}  // namespace vm
