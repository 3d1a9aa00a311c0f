#pragma once
// Size and placement of the hover hint box, as plain arithmetic on rectangles in
// the owner dialog's client coordinates (right and bottom exclusive, as the
// window system counts them). The hint window only feeds the owner's and the
// control's rectangles in and paints the box where these rules put it.

#include <string>
#include <vector>

namespace vm {

struct HintRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
};

inline bool operator==(const HintRect& a, const HintRect& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

inline constexpr int kHintFontHeight = 14;         // normal font cell height, pixels
inline constexpr int kHintReducedFontHeight = 12;  // when a box is taller than the window
inline constexpr int kHintTextLeft = 8;            // first text line origin inside the box
inline constexpr int kHintTextTop = 5;

// The box on screen and what it was sized from. width and height are 0 while no
// box is shown.
struct HintBoxSize {
    int height = 0;
    int width = 0;
    int fontHeight = kHintFontHeight;
    int lineCount = 0;
    int maxLineLength = 0;  // bytes of the longest line in the UI's code page
};

// Length of a UTF-8 line as the UI's code page (GBK) counts it: an ASCII
// character is one byte, every other character two. The box width is reckoned
// in these bytes.
int HintLineLength(const std::string& utf8);

// Line count, longest line and the box size for the size's current font height:
// height = lines x (font height - 1) + 12, width = 10 + trunc(7.5 x longest line).
void SizeHintBox(HintBoxSize& size, const std::vector<std::string>& lines);

// Places the box beside the control. owner is the owner's whole window rectangle
// (frame and caption included, so its left and top are negative or 0); control
// is the control's rectangle. Below the control's vertical middle when it fits
// above the window's bottom, else aligned 1 pixel above that bottom (at the
// reduced size when the box is taller than the whole window); right of the
// control, else left of it, else below (or above) the control, never over it.
// Resets the font
// height to normal first and may switch size to the reduced one.
HintRect PlaceHintBox(HintBoxSize& size, const HintRect& owner, const HintRect& control);

// Top-left origin of text line i (from 0) of a box: 8 right of its left edge,
// 5 below its top, one line pitch (font height - 1) per line.
void HintLineOrigin(const HintRect& box, int fontHeight, int line, int& x, int& y);

}  // namespace vm
