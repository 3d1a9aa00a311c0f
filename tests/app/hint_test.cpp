// The hint window on a real dialog: look-up, showing and taking away the box
// (its size and placement: tests/dialogs/hint_geometry_test).
#include "app/control_id.h"
#include "app/hints/hint_wnd.h"
#include "tests/app/main_window_fixture.h"

#include <QDialog>
#include <QPushButton>

#include <gtest/gtest.h>

#include <memory>

namespace vm {
namespace {

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
