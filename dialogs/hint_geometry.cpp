#include "dialogs/hint_geometry.h"

#include <algorithm>

namespace vm {

int HintLineLength(const std::string& utf8) {
    int length = 0;
    for (unsigned char c : utf8) {
        if (c < 0x80) {
            length += 1;
        } else if ((c & 0xC0) != 0x80) {
            length += 2;  // lead byte of a multibyte character; continuation bytes add nothing
        }
    }
    return length;
}

void SizeHintBox(HintBoxSize& size, const std::vector<std::string>& lines) {
    size.lineCount = static_cast<int>(lines.size());
    size.maxLineLength = 0;
    for (const std::string& line : lines)
        size.maxLineLength = std::max(size.maxLineLength, HintLineLength(line));
    size.height = size.lineCount * (size.fontHeight - 1) + 12;
    size.width = 10 + static_cast<int>(7.5 * size.maxLineLength);
}

HintRect PlaceHintBox(HintBoxSize& size, const HintRect& owner, const HintRect& control) {
    HintRect box;
    size.fontHeight = kHintFontHeight;
    const int half = (control.bottom - control.top) / 2;
    if (control.bottom - half + size.height <= owner.bottom) {
        box.top = control.bottom - half;
        box.bottom = box.top + size.height;
    } else {
        if (size.height > owner.bottom - owner.top) {
            size.fontHeight = kHintReducedFontHeight;
            size.height = 11 * size.lineCount + 12;
            size.width = 7 * size.maxLineLength + 10;
        }
        box.bottom = owner.bottom - 1;
        box.top = box.bottom - size.height;
    }
    if (control.right + size.width <= owner.right) {
        box.left = control.right;
        box.right = control.right + size.width;
    } else if (control.left - size.width > owner.left) {
        box.right = control.left;
        box.left = control.left - size.width;
    } else {
        // Fits on neither side: below the control, else above it, so the box
        // never covers the control it describes; as far left as the control
        // starts, kept inside the client area.
        const int clientLeft = std::max(owner.left, 0);
        box.left = std::max(clientLeft, std::min(control.left, owner.right - size.width));
        box.right = box.left + size.width;
        if (control.bottom + size.height <= owner.bottom) {
            box.top = control.bottom;
        } else if (control.top - size.height >= std::max(owner.top, 0)) {
            box.top = control.top - size.height;
        }
        box.bottom = box.top + size.height;
    }
    return box;
}

void HintLineOrigin(const HintRect& box, int fontHeight, int line, int& x, int& y) {
    x = box.left + kHintTextLeft;
    y = box.top + kHintTextTop + line * (fontHeight - 1);
}

}  // namespace vm
