// The printed table drawn through GDI, as the Windows program prints it, into
// a bitmap instead of a printer: every page draws ink, the pages are those of
// the shared layout for the device's font, and a page that is not there is
// refused.
#include <gtest/gtest.h>

#include <windows.h>

#include "export/column_order.h"
#include "export/print_table_gdi.h"

namespace vm {
namespace {

struct BitmapDc {
    HDC dc = CreateCompatibleDC(nullptr);
    void* bits = nullptr;
    HBITMAP bitmap;
    HGDIOBJ old;
    int width, height;
    BitmapDc() : width(GetDeviceCaps(dc, HORZRES)), height(GetDeviceCaps(dc, VERTRES)) {
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        old = SelectObject(dc, bitmap);
    }
    ~BitmapDc() {
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    void Clear() { PatBlt(dc, 0, 0, width, height, WHITENESS); }
    size_t InkPixels() const {
        const auto* p = static_cast<const uint32_t*>(bits);
        size_t ink = 0;
        for (size_t i = 0; i < size_t(width) * size_t(height); ++i)
            ink += (p[i] & 0xFFFFFF) != 0xFFFFFF;
        return ink;
    }
};

TEST(PrintTableGdi, pagesDrawOnABitmapAsOnAPrinter) {
    std::string source;
    for (int i = 0; i < 300; ++i)
        source += "\xb5\xe3" + std::to_string(i) + ",C,3000000.125,500000.5,12.25\r\n";
    const PrintTable table = BuildPrintTable(source, DefaultColumnOrder(true), "C:/测区/a.txt");
    BitmapDc bitmap;
    ASSERT_TRUE(bitmap.bits);
    const size_t pages = PrintTablePageCount(bitmap.dc, table);
    EXPECT_GT(pages, 1u);
    for (size_t page : {size_t(1), pages}) {
        bitmap.Clear();
        EXPECT_TRUE(DrawPrintTablePage(bitmap.dc, table, page)) << page;
        EXPECT_GT(bitmap.InkPixels(), 1000u) << page;
    }
    EXPECT_FALSE(DrawPrintTablePage(bitmap.dc, table, 0));
    EXPECT_FALSE(DrawPrintTablePage(bitmap.dc, table, pages + 1));
    const PrintTable empty = BuildPrintTable("", DefaultColumnOrder(true), "b.txt");
    EXPECT_EQ(PrintTablePageCount(bitmap.dc, empty), 1u);
    EXPECT_TRUE(DrawPrintTablePage(bitmap.dc, empty, 1));
}

}  // namespace
}  // namespace vm
