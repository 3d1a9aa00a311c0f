// The hover hint box's size and placement, as the Qt and Win32 hint windows
// take them from the shared rules.
#include "dialogs/hint_geometry.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vm {
namespace {

// A dialog window of 406 x 325 whose client area starts 3 pixels inside its
// left border and 22 below its top (caption and frame).
const HintRect kOwner{-3, -22, 403, 303};
const std::string kWide = "提取测量数据中的角度距离数据";  // 28 bytes: width 220

HintBoxSize Sized(const std::vector<std::string>& lines) {
    HintBoxSize size;
    SizeHintBox(size, lines);
    return size;
}

TEST(HintGeometry, SizeCountsChineseAsTwoBytesAndTruncatesTheWidth) {
    HintBoxSize size = Sized({kWide, "斜距SD会被计算成平距和高差"});
    EXPECT_EQ(size.lineCount, 2);
    EXPECT_EQ(size.maxLineLength, 28);
    EXPECT_EQ(size.height, 2 * 13 + 12);
    EXPECT_EQ(size.width, 10 + 210);
    EXPECT_EQ(Sized({"据格式,提示定义："}).maxLineLength, 17);  // the full-width colon too
    EXPECT_EQ(Sized({"abc"}).width, 32);                        // 7.5 x 3 = 22.5 is cut to 22

    size = Sized({});  // an empty hint sizes to the bare frame
    EXPECT_EQ(size.maxLineLength, 0);
    EXPECT_EQ(size.height, 12);
    EXPECT_EQ(size.width, 10);
}

TEST(HintGeometry, PlacementRightLeftBelowOrAboveTheControlWithinTheWindow) {
    HintBoxSize size = Sized({kWide, "x"});
    EXPECT_EQ(PlaceHintBox(size, kOwner, {10, 20, 100, 41}), (HintRect{100, 31, 320, 69}));
    // Exactly up to the window's right edge still fits on the right.
    EXPECT_EQ(PlaceHintBox(size, kOwner, {100, 20, 183, 40}).left, 183);
    EXPECT_EQ(PlaceHintBox(size, kOwner, {300, 20, 390, 40}), (HintRect{80, 30, 300, 68}));
    // Fits neither side: below the control, never over it (touching the
    // window's left edge does not count as fitting on the left) ...
    EXPECT_EQ(PlaceHintBox(size, kOwner, {150, 20, 250, 40}), (HintRect{150, 40, 370, 78}));
    EXPECT_EQ(PlaceHintBox(size, kOwner, {217, 20, 250, 40}), (HintRect{183, 40, 403, 78}));
    EXPECT_EQ(PlaceHintBox(size, kOwner, {218, 20, 250, 40}).left, -2);
    // ... or above it when the control is near the bottom.
    EXPECT_EQ(PlaceHintBox(size, kOwner, {10, 270, 390, 290}), (HintRect{10, 232, 230, 270}));

    // A control near the bottom gets a box ending one pixel above the window's bottom.
    size = Sized({"a", "b", "c"});  // height 51
    HintRect box = PlaceHintBox(size, kOwner, {10, 250, 100, 270});
    EXPECT_EQ(box.top, 251);
    EXPECT_EQ(box.bottom, 302);
    EXPECT_EQ(size.fontHeight, kHintFontHeight);
    // Ending exactly on the window's bottom still fits below the middle.
    box = PlaceHintBox(size, kOwner, {10, 232, 100, 272});
    EXPECT_EQ(box.top, 252);
}

TEST(HintGeometry, BoxTallerThanTheWindowIsReducedAndBottomAligned) {
    HintBoxSize size = Sized(std::vector<std::string>(30, "abcd"));  // 402 > 325
    const HintRect box = PlaceHintBox(size, kOwner, {10, 20, 100, 40});
    EXPECT_EQ(size.fontHeight, kHintReducedFontHeight);
    EXPECT_EQ(box, (HintRect{100, 302 - (11 * 30 + 12), 100 + 7 * 4 + 10, 302}));
    int x = 0, y = 0;
    HintLineOrigin(box, size.fontHeight, 2, x, y);
    EXPECT_EQ(x, 108);
    EXPECT_EQ(y, box.top + 5 + 2 * 11);

    // The next box that fits is placed with the normal font again.
    SizeHintBox(size, {"a"});
    PlaceHintBox(size, kOwner, {10, 20, 100, 40});
    EXPECT_EQ(size.fontHeight, kHintFontHeight);
}

}  // namespace
}  // namespace vm
