// The column-order dialog, headless: its defaults, the check box and OK/Cancel.
#include "app/column_order_dlg.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>

#include <gtest/gtest.h>

#include "app/control_id.h"

namespace vm {
namespace {

// The dialog members below need the application before they are constructed.
bool EnsureApplication() {
    static int argc = 1;
    static char name[] = "test_app";
    static char* argv[] = {name, nullptr};
    if (!QApplication::instance())
        new QApplication(argc, argv);
    return true;
}

class ColumnOrderDlgTest : public ::testing::Test {
protected:
    const bool m_app = EnsureApplication();

    void SetUp() override {
        static int argc = 1;
        static char name[] = "test_app";
        static char* argv[] = {name, nullptr};
        if (!QApplication::instance())
            new QApplication(argc, argv);
        dlg.OnInitDialog();
    }

    QComboBox* list(int id) { return FindControl<QComboBox>(&dlg, id); }
    QCheckBox* codeBox() { return FindControl<QCheckBox>(&dlg, 1067); }
    // PT#, PCode, X, Y, Z as the lists show them (zero-based).
    std::array<int, 5> shown() {
        return {list(1020)->currentIndex(), list(1091)->currentIndex(), list(1088)->currentIndex(),
                list(1089)->currentIndex(), list(1090)->currentIndex()};
    }

    CColumnOrderDlg dlg;
};

TEST_F(ColumnOrderDlgTest, OpensWithDefaultsAndFiveFixedColumns) {
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("选择数据位置"));
    EXPECT_TRUE(codeBox()->isChecked());
    EXPECT_TRUE(list(1091)->isEnabled());
    EXPECT_EQ(shown(), (std::array<int, 5>{0, 1, 2, 3, 4}));
    for (int id : {1020, 1091, 1088, 1089, 1090}) {
        ASSERT_EQ(list(id)->count(), 5) << id;
        EXPECT_EQ(list(id)->itemText(4), QStringLiteral("5"));
        EXPECT_FALSE(list(id)->isEditable());
    }
}

TEST_F(ColumnOrderDlgTest, CheckBoxMovesColumnsAndKeepsTheCodeChoice) {
    list(1091)->setCurrentIndex(4);
    codeBox()->click();  // cleared
    EXPECT_FALSE(list(1091)->isEnabled());
    EXPECT_EQ(shown(), (std::array<int, 5>{0, 4, 1, 2, 3}));
    codeBox()->click();  // ticked again
    EXPECT_TRUE(list(1091)->isEnabled());
    EXPECT_EQ(shown(), (std::array<int, 5>{0, 4, 2, 3, 4}));
}

TEST_F(ColumnOrderDlgTest, OkStoresTheChoicesCancelStoresNothing) {
    codeBox()->click();
    list(1089)->setCurrentIndex(1);  // Y in the same column as X
    FindControl<QAbstractButton>(&dlg, 1)->click();
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    const ColumnOrder& o = dlg.m_order;
    EXPECT_EQ(o.m_bHasCode, 0);
    EXPECT_EQ((std::array<int, 5>{o.m_nPtCol, o.m_nCodeCol, o.m_nXCol, o.m_nYCol, o.m_nZCol}),
              (std::array<int, 5>{0, 1, 1, 1, 3}));

    CColumnOrderDlg other;
    other.OnInitDialog();
    FindControl<QComboBox>(&other, 1020)->setCurrentIndex(3);
    FindControl<QAbstractButton>(&other, 2)->click();
    EXPECT_EQ(other.result(), QDialog::Rejected);
    EXPECT_EQ(other.m_order.m_nPtCol, 0);
}

TEST_F(ColumnOrderDlgTest, ReopeningStartsFromTheDefaultsAgain) {
    codeBox()->click();
    list(1020)->setCurrentIndex(2);
    dlg.OnInitDialog();
    EXPECT_TRUE(codeBox()->isChecked());
    EXPECT_TRUE(list(1091)->isEnabled());
    EXPECT_EQ(shown(), (std::array<int, 5>{0, 1, 2, 3, 4}));
}

}  // namespace
}  // namespace vm
