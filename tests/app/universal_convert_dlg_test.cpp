// The universal conversion dialog on the desktop: the main window's command
// runs it modally, its preview table shows the first records with the empty
// column set apart, a run converts off the window's thread, and the whole
// dialog fits a 1366x768 screen. Its behaviour is tested without a toolkit in
// tests/dialogs.
#include "tests/app/main_window_fixture.h"

#include <QApplication>
#include <QComboBox>
#include <QTableWidget>
#include <QTimer>

#include "app/dialog_renderer/qt_dialog_host.h"
#include "dialogs/universal/universal_convert_dialog.h"

namespace vm::test {
namespace {

using UniversalConvertCommandTest = MainWindowTest;

TEST_F(UniversalConvertCommandTest, mainWindowCommandRunsTheDialogModally) {
    const std::string source = dir.write("in.txt", "1,A,1,2,3\n");
    const std::string target = dir.file("out.txt");
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto* convert = dynamic_cast<QtDialogHost*>(QApplication::activeModalWidget());
        ASSERT_NE(convert, nullptr);
        seen = true;
        EXPECT_LE(convert->height(), 728 - 30) << "fits a 1366x768 screen with its task bar";
        EXPECT_LE(convert->width(), 1366);
        Ctl<QLineEdit>(*convert, 1055)->setText(QString::fromStdString(source));
        Ctl<QComboBox>(*convert, 1044)->setCurrentIndex(2);  // X moved on: field 2 stays empty
        auto* table = Ctl<QTableWidget>(*convert, UniversalConvertDialog::kPreviewTableId);
        EXPECT_EQ(table->item(0, 0)->text(), "1,A,1,2,3");
        EXPECT_EQ(table->item(0, 2)->text(), UniversalConvertDialog::kEmptyCell);
        EXPECT_EQ(table->item(0, 2)->toolTip(), UniversalConvertDialog::kEmptyCellNote);
        EXPECT_NE(table->item(0, 2)->background(), table->item(0, 1)->background());
        Ctl<QLineEdit>(*convert, 1056)->setText(QString::fromStdString(target));
        test::Click(*convert, 1);
        RunEventsUntil([convert] { return !convert->IsWorking(); }, 10000);
        test::Click(*convert, 2);
    });
    Window().OnCommand(32802);
    EXPECT_TRUE(seen);
    EXPECT_EQ(desk.messages(), std::vector<std::string>{"转换成功"});
    EXPECT_EQ(TempDir::read(target), "1.000,,,,,1.000,\r\n");
}

}  // namespace
}  // namespace vm::test
