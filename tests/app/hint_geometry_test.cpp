// Size and placement of the hover hint box, as pure arithmetic.

#include "app/hint_geometry.h"

#include <gtest/gtest.h>

namespace vm {
namespace {

// A dialog window of 406 x 325 whose client area starts 3 pixels inside its
// left border and 22 below its top (caption and frame).
const HintRect kOwner{-3, -22, 403, 303};

HintBoxSize Sized(const std::vector<std::string>& lines) {
    HintBoxSize size;
    SizeHintBox(size, lines);
    return size;
}

TEST(HintGeometry, LineLengthCountsChineseCharactersAsTwoBytes) {
    EXPECT_EQ(HintLineLength(""), 0);
    EXPECT_EQ(HintLineLength("PC    点号"), 10);
    EXPECT_EQ(HintLineLength("据格式,提示定义："), 17);  // the full-width colon too
}

TEST(HintGeometry, SizeFromLinesTruncatesTheWidth) {
    HintBoxSize size = Sized({"提取测量数据中的角度距离数据", "斜距SD会被计算成平距和高差"});
    EXPECT_EQ(size.lineCount, 2);
    EXPECT_EQ(size.maxLineLength, 28);
    EXPECT_EQ(size.height, 2 * 13 + 12);
    EXPECT_EQ(size.width, 10 + 210);

    size = Sized({"abc"});  // 7.5 x 3 = 22.5 is cut to 22
    EXPECT_EQ(size.width, 32);
    EXPECT_EQ(size.height, 25);
}

TEST(HintGeometry, EmptyLineArraySizesToTheBareFrame) {
    HintBoxSize size = Sized({});
    EXPECT_EQ(size.lineCount, 0);
    EXPECT_EQ(size.maxLineLength, 0);
    EXPECT_EQ(size.height, 12);
    EXPECT_EQ(size.width, 10);
}

TEST(HintGeometry, BoxBelowTheMiddleAndRightOfTheControl) {
    HintBoxSize size = Sized({"提取测量数据中的角度距离数据", "x"});  // 220 x 38
    const HintRect box = PlaceHintBox(size, kOwner, {10, 20, 100, 41});
    EXPECT_EQ(box, (HintRect{100, 31, 320, 69}));  // half of 21 is 10
    EXPECT_EQ(size.fontHeight, kHintFontHeight);
}

TEST(HintGeometry, HorizontalPlacementRightLeftOrAtTheWindowEdge) {
    HintBoxSize size = Sized({"提取测量数据中的角度距离数据"});  // width 220
    // Exactly up to the window's right edge still counts as fitting on the right.
    EXPECT_EQ(PlaceHintBox(size, kOwner, {100, 20, 183, 40}).left, 183);
    // Near the right edge: on the left side of the control.
    HintRect box = PlaceHintBox(size, kOwner, {300, 20, 390, 40});
    EXPECT_EQ(box.left, 80);
    EXPECT_EQ(box.right, 300);
    // Fits neither side: starts one pixel left of the window's left edge.
    box = PlaceHintBox(size, kOwner, {150, 20, 250, 40});
    EXPECT_EQ(box.left, -4);
    EXPECT_EQ(box.right, 216);
    // Touching the window's left edge on the left side does not count as fitting.
    EXPECT_EQ(PlaceHintBox(size, kOwner, {217, 20, 250, 40}).left, -4);
    EXPECT_EQ(PlaceHintBox(size, kOwner, {218, 20, 250, 40}).left, -2);
}

TEST(HintGeometry, ControlNearTheBottomGetsABoxEndingOnePixelAboveTheWindowBottom) {
    HintBoxSize size = Sized({"a", "b", "c"});  // height 51
    HintRect box = PlaceHintBox(size, kOwner, {10, 250, 100, 270});
    EXPECT_EQ(box.bottom, 302);
    EXPECT_EQ(box.top, 251);
    EXPECT_EQ(size.fontHeight, kHintFontHeight);
    // Ending exactly on the window's bottom still fits below the middle.
    box = PlaceHintBox(size, kOwner, {10, 232, 100, 272});
    EXPECT_EQ(box.top, 252);
    EXPECT_EQ(box.bottom, 303);
}

TEST(HintGeometry, BoxTallerThanTheWindowIsReducedAndBottomAligned) {
    std::vector<std::string> lines(30, "abcd");  // 30 x 13 + 12 = 402 > 325
    HintBoxSize size = Sized(lines);
    const HintRect box = PlaceHintBox(size, kOwner, {10, 20, 100, 40});
    EXPECT_EQ(size.fontHeight, kHintReducedFontHeight);
    EXPECT_EQ(size.height, 11 * 30 + 12);
    EXPECT_EQ(size.width, 7 * 4 + 10);
    EXPECT_EQ(box, (HintRect{100, 302 - 342, 138, 302}));
    int x = 0, y = 0;
    HintLineOrigin(box, size.fontHeight, 2, x, y);
    EXPECT_EQ(x, 108);
    EXPECT_EQ(y, box.top + 5 + 2 * 11);
}

TEST(HintGeometry, PlacingStartsFromTheNormalFontAgain) {
    HintBoxSize size = Sized({"a"});
    size.fontHeight = kHintReducedFontHeight;  // left over from a reduced box
    PlaceHintBox(size, kOwner, {10, 20, 100, 40});
    EXPECT_EQ(size.fontHeight, kHintFontHeight);
}

}  // namespace
}  // namespace vm
