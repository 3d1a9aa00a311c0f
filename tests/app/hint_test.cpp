// The hover hint box: its size and placement as pure arithmetic, and the hint
// window on a real dialog (look-up, showing and taking away the box).
#include "app/control_id.h"
#include "dialogs/hint_geometry.h"
#include "app/hints/hint_wnd.h"
#include "tests/app/main_window_fixture.h"

#include <QDialog>
#include <QPushButton>

#include <gtest/gtest.h>

#include <memory>

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

class HintWndTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::EnsureApplication();
        m_dialog = std::make_unique<QDialog>();
        m_dialog->resize(400, 300);
        const QColor white(255, 255, 255), black(0, 0, 0);
        m_hints.SetOwner(m_dialog.get());
        for (auto [id, rect] : {std::pair{10, QRect(10, 10, 80, 24)},
                                {20, {310, 10, 80, 24}},
                                {30, {10, 100, 80, 24}},
                                {40, {10, 150, 80, 24}},
                                {50, {10, 200, 80, 24}},
                                {60, {100, 40, 50, 20}}}) {
            auto* button = new QPushButton(m_dialog.get());
            SetControlId(button, id);
            button->setGeometry(rect);
            button->setEnabled(id != 30);
        }
        m_hints.AddHint(10, {"first", "second line"}, white, black);
        m_hints.AddHint(20, {"right side"}, white, black);
        m_hints.AddHint(10, {"registered later"}, white, black);
        m_hints.AddHint(30, {"disabled"}, white, black);
        m_hints.AddHint(50, {}, white, black);  // 40 has none
        m_hints.AddHint(60, {"under the box"}, white, black);
    }

    bool BoxShown() const { return m_hints.box() && !m_hints.box()->isHidden(); }
    std::string Shown() const { return m_hints.box()->item().m_lines.front(); }

    std::unique_ptr<QDialog> m_dialog;  // after the application exists
    CHintWnd m_hints;
};

TEST_F(HintWndTest, ShowsTheFirstRegisteredHintBesideTheControlUnderTheMouse) {
    m_hints.RelayMouseMove({20, 20});
    ASSERT_TRUE(BoxShown());
    EXPECT_EQ(m_hints.currentId(), 10);
    EXPECT_EQ(Shown(), "first");
    // Right of the control, from its vertical middle; 11 bytes wide, two lines.
    const QRect box(90, 22, 10 + 82, 2 * 13 + 12);
    EXPECT_EQ(m_hints.box()->geometry(), box);
    m_hints.RelayMouseMove({60, 25});  // within the same control nothing changes
    EXPECT_EQ(m_hints.box()->geometry(), box);

    m_hints.RelayMouseMove({110, 45});  // a control beneath the box is still found
    EXPECT_EQ(Shown(), "under the box");
    m_hints.RelayMouseMove({320, 20});  // near the right edge: box on the left
    EXPECT_EQ(m_hints.box()->geometry().right() + 1, 310);
    m_hints.RelayMouseMove({20, 110});
    EXPECT_EQ(Shown(), "disabled");
}

TEST_F(HintWndTest, EmptyOrMissingHintsAndTheBareDialogLeaveNoBox) {
    m_hints.RelayMouseMove({20, 20});
    m_hints.RelayMouseMove({20, 210});  // empty hint: the old box goes, nothing shows
    EXPECT_FALSE(BoxShown());
    EXPECT_EQ(m_hints.currentId(), 50);
    EXPECT_EQ(m_hints.boxSize().width, 0);

    m_hints.RelayMouseMove({20, 20});
    m_hints.RelayMouseMove({20, 160});  // no hint at all
    EXPECT_FALSE(BoxShown());
    EXPECT_EQ(m_hints.currentId(), 0);

    m_hints.RelayMouseMove({20, 20});
    m_hints.RelayMouseLeave();  // the mouse left the dialog
    EXPECT_FALSE(BoxShown());
    m_hints.RelayMouseMove({20, 20});
    m_hints.RelayMouseMove({200, 280});  // bare dialog
    EXPECT_FALSE(BoxShown());
    EXPECT_EQ(m_hints.currentId(), 0);
}

}  // namespace
}  // namespace vm
