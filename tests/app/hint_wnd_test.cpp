// The hint window on a real dialog: look-up, showing and taking away the box.

#include "app/hint_wnd.h"

#include "app/control_id.h"
#include "tests/support/gui_app.h"

#include <QApplication>
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
        AddButton(10, {10, 10, 80, 24});
        AddButton(20, {310, 10, 80, 24});  // near the right edge
        AddButton(30, {10, 100, 80, 24})->setEnabled(false);
        AddButton(40, {10, 150, 80, 24});  // no hint
        AddButton(50, {10, 200, 80, 24});  // empty hint
        m_hints.SetOwner(m_dialog.get());
        const QColor white(255, 255, 255), black(0, 0, 0);
        m_hints.AddHint(10, {"first", "second line"}, white, black);
        m_hints.AddHint(20, {"right side"}, white, black);
        m_hints.AddHint(10, {"registered later"}, white, black);
        m_hints.AddHint(30, {"disabled"}, white, black);
        m_hints.AddHint(50, {}, white, black);
    }

    QPushButton* AddButton(int id, const QRect& geometry) {
        auto* button = new QPushButton(QString::number(id), m_dialog.get());
        SetControlId(button, id);
        button->setGeometry(geometry);
        return button;
    }

    bool BoxShown() const { return m_hints.box() && !m_hints.box()->isHidden(); }

    std::unique_ptr<QDialog> m_dialog;  // after the application exists
    CHintWnd m_hints;
};

TEST_F(HintWndTest, FirstMovementOverAControlShowsTheFirstRegisteredHint) {
    m_hints.RelayMouseMove({20, 20});
    ASSERT_TRUE(BoxShown());
    EXPECT_EQ(m_hints.currentId(), 10);
    EXPECT_EQ(m_hints.box()->item().m_lines, (std::vector<std::string>{"first", "second line"}));
    // Right of the control, from its vertical middle; 11 bytes wide, two lines.
    EXPECT_EQ(m_hints.box()->geometry(), QRect(90, 22, 10 + 82, 2 * 13 + 12));
    EXPECT_EQ(m_hints.boxSize().width, 92);
}

TEST_F(HintWndTest, MovingWithinTheSameControlKeepsTheBox) {
    m_hints.RelayMouseMove({20, 20});
    const QRect before = m_hints.box()->geometry();
    m_hints.RelayMouseMove({60, 25});
    EXPECT_TRUE(BoxShown());
    EXPECT_EQ(m_hints.box()->geometry(), before);
}

TEST_F(HintWndTest, ControlNearTheRightEdgeGetsItsBoxOnTheLeft) {
    m_hints.RelayMouseMove({320, 20});
    ASSERT_TRUE(BoxShown());
    EXPECT_EQ(m_hints.box()->geometry().right() + 1, 310);
}

TEST_F(HintWndTest, DisabledControlsShowTheirHints) {
    m_hints.RelayMouseMove({20, 110});
    ASSERT_TRUE(BoxShown());
    EXPECT_EQ(m_hints.box()->item().m_lines.front(), "disabled");
}

TEST_F(HintWndTest, ControlsWithoutAHintOrWithAnEmptyOneShowNothing) {
    m_hints.RelayMouseMove({20, 20});
    m_hints.RelayMouseMove({20, 210});  // empty hint: the old box goes, nothing shows
    EXPECT_FALSE(BoxShown());
    EXPECT_EQ(m_hints.currentId(), 50);
    EXPECT_EQ(m_hints.boxSize().width, 0);

    m_hints.RelayMouseMove({20, 20});
    m_hints.RelayMouseMove({20, 160});  // no hint at all
    EXPECT_FALSE(BoxShown());
    EXPECT_EQ(m_hints.currentId(), 0);
}

TEST_F(HintWndTest, BareDialogHidesAndOutsideTheDialogChangesNothing) {
    m_hints.RelayMouseMove({20, 20});
    m_hints.RelayMouseMove({-5, 20});  // outside the client area
    EXPECT_TRUE(BoxShown());
    EXPECT_EQ(m_hints.currentId(), 10);

    m_hints.RelayMouseMove({200, 280});
    EXPECT_FALSE(BoxShown());
    EXPECT_EQ(m_hints.currentId(), 0);
    EXPECT_EQ(m_hints.boxSize().height, 0);
}

TEST_F(HintWndTest, TheBoxLetsTheMouseThroughToTheControlBeneath) {
    m_hints.RelayMouseMove({20, 20});
    EXPECT_TRUE(m_hints.box()->testAttribute(Qt::WA_TransparentForMouseEvents));
    // A control that lies under the box is still found beneath it.
    AddButton(60, {100, 40, 50, 20});
    m_hints.AddHint(60, {"under the box"}, Qt::white, Qt::black);
    m_hints.RelayMouseMove({110, 45});
    EXPECT_EQ(m_hints.currentId(), 60);
    EXPECT_EQ(m_hints.box()->item().m_lines.front(), "under the box");
}

}  // namespace
}  // namespace vm
