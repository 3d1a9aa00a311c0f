#include "win/point_drawing.h"

#include "common/wide_text_win32.h"
#include "export/label_grid.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace vm::win32 {
namespace {

constexpr int kMarkPx = 4;     // side of a point's mark
constexpr int kStationPx = 7;  // half side of a station's triangle
constexpr size_t kMaxLabels = 1500;
const COLORREF kPointColour = RGB(0, 0, 200);
const COLORREF kStationColour = RGB(220, 0, 0);
const COLORREF kSelectedColour = RGB(0, 170, 0);

POINT At(const PointViewFrame& f, const PreviewPoint& p) {
    return {LONG(std::lround(f.X(p.east))), LONG(std::lround(f.Y(p.north)))};
}

std::vector<size_t> Visible(const PointPicture& pic, int width, int height) {
    std::vector<size_t> visible;
    const PointViewFrame& f = pic.frame;
    pic.grid->ForEachIn(f.East(0), f.North(height), f.East(width), f.North(0),
                        [&](size_t i) { visible.push_back(i); });
    return visible;
}

void DrawMarks(HDC dc, const PointPicture& pic, const std::vector<size_t>& visible) {
    HBRUSH blue = CreateSolidBrush(kPointColour), red = CreateSolidBrush(kStationColour);
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(NULL_PEN));
    HGDIOBJ oldBrush = SelectObject(dc, red);
    for (size_t i : visible) {
        const PreviewPoint& p = pic.set->points[i];
        const POINT d = At(pic.frame, p);
        if (!p.station) {
            const RECT r{d.x - kMarkPx / 2, d.y - kMarkPx / 2, d.x + kMarkPx / 2,
                         d.y + kMarkPx / 2};
            FillRect(dc, &r, blue);
            continue;
        }
        const POINT triangle[3] = {{d.x, d.y - kStationPx},
                                   {d.x + kStationPx, d.y + kStationPx},
                                   {d.x - kStationPx, d.y + kStationPx}};
        Polygon(dc, triangle, 3);
    }
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(blue);
    DeleteObject(red);
}

void DrawSelection(HDC dc, const PointPicture& pic) {
    if (pic.selected < 0 || size_t(pic.selected) >= pic.set->points.size())
        return;
    const POINT d = At(pic.frame, pic.set->points[size_t(pic.selected)]);
    HPEN pen = CreatePen(PS_SOLID, 2, kSelectedColour);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    Ellipse(dc, d.x - 8, d.y - 8, d.x + 9, d.y + 9);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(pen);
}

std::wstring LabelOf(const PointPicture& pic, const PreviewPoint& p) {
    std::string label = pic.names ? PointLabelText(p.name) : std::string();
    if (pic.codes && !p.code.empty())
        label += (label.empty() ? "" : " ") + PointLabelText(p.code);
    return WideFromUtf8(label);
}

// A label that would overlap one drawn already is left out, so crowded points
// stay readable; the picked point's label goes first.
void DrawLabels(HDC dc, int width, int height, const PointPicture& pic,
                const std::vector<size_t>& visible) {
    LabelGrid grid(width, height);
    for (size_t i : LabelOrder(pic.selected, pic.set->points.size(), visible)) {
        const std::wstring label = LabelOf(pic, pic.set->points[i]);
        if (label.empty())
            continue;
        const POINT d = At(pic.frame, pic.set->points[i]);
        SIZE size{};
        GetTextExtentPoint32W(dc, label.c_str(), int(label.size()), &size);
        const int x = d.x + 5, y = d.y - 4 - size.cy;
        if (!grid.Take(x, y, x + size.cx, y + size.cy))
            continue;
        TextOutW(dc, x, y, label.c_str(), int(label.size()));
    }
}

void DrawScaleBar(HDC dc, int height, const PointViewFrame& frame) {
    const double length = ScaleBarLength(frame.pixelsPerMetre);
    if (length <= 0)
        return;
    const int px = int(std::lround(length * frame.pixelsPerMetre));
    const int x = 12, y = height - 14;
    HPEN pen = CreatePen(PS_SOLID, 2, RGB(0, 0, 0));
    HGDIOBJ old = SelectObject(dc, pen);
    MoveToEx(dc, x, y, nullptr);
    LineTo(dc, x + px, y);
    MoveToEx(dc, x, y - 5, nullptr);
    LineTo(dc, x, y + 3);
    MoveToEx(dc, x + px, y - 5, nullptr);
    LineTo(dc, x + px, y + 3);
    SelectObject(dc, old);
    DeleteObject(pen);
    const std::wstring caption = WideFromUtf8(ScaleBarCaption(length));
    SIZE size{};
    GetTextExtentPoint32W(dc, caption.c_str(), int(caption.size()), &size);
    TextOutW(dc, x, y - 7 - size.cy, caption.c_str(), int(caption.size()));
}

}  // namespace

void DrawPointPicture(HDC dc, int width, int height, const PointPicture& pic) {
    const RECT all{0, 0, width, height};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    HGDIOBJ oldFont = pic.font ? SelectObject(dc, pic.font) : nullptr;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    if (pic.set && pic.grid) {
        const std::vector<size_t> visible = Visible(pic, width, height);
        DrawMarks(dc, pic, visible);
        DrawSelection(dc, pic);
        if ((pic.names || pic.codes) && visible.size() <= kMaxLabels)
            DrawLabels(dc, width, height, pic, visible);
    }
    DrawScaleBar(dc, height, pic.frame);
    if (oldFont)
        SelectObject(dc, oldFont);
}

}  // namespace vm::win32
