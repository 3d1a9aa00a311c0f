// The table, DXF and Excel commands on a real main window, headless, also when
// the work file cannot be created. Their dialogs are tested without a toolkit
// in tests/dialogs.
#include "tests/app/main_window_fixture.h"

#include <QApplication>
#include <QBuffer>
#include <QElapsedTimer>
#include <QPdfWriter>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QTimer>

#include <cerrno>

#include "app/dialog_renderer/qt_dialog_host.h"
#include "dialogs/exports/excel_command.h"
#include "app/exports/export_commands.h"
#include "common/file_io.h"
#include "common/user_paths.h"
#include "export/coordinate_table.h"
#include "export/excel_settings.h"

namespace vm::test {
namespace {

using ExportTest = MainWindowTest;

// The table replaces the work file only once its source is read; then the
// viewer shows the work file and the print preview gets the same rows as pages.
TEST_F(ExportTest, TableReplacesTheWorkFileOnlyWhenTheSourceIsReadAndPreviewsIt) {
    const std::string work = WorkFilePath();
    dir.write("data/VeltraMarlin/veltratemp.txt", "the pane");
    desk.answerFile(std::nullopt);
    QTimer::singleShot(0, [] { Click(*QApplication::activeModalWidget(), 1); });
    Window().OnCommand(32811);  // the column order confirmed, the file dialog cancelled
    EXPECT_EQ(desk.callsOf(DesktopCall::OpenFile).size(), 1u);
    desk.answerFile(dir.file("missing.txt"));
    PrintCoordinateTable(Window(), DefaultColumnOrder(true));
    EXPECT_EQ(TempDir::read(work), "the pane");
    EXPECT_TRUE(desk.callsOf(DesktopCall::Viewer).empty());
    EXPECT_TRUE(desk.callsOf(DesktopCall::Preview).empty());
    EXPECT_NE(desk.messages().at(0).find("missing.txt"), std::string::npos);

    desk.answerFile(dir.write("src.txt", "1,TREE,100.5,200.25,30\r\n"));
    PrintCoordinateTable(Window(), DefaultColumnOrder(true));
    EXPECT_EQ(desk.callsOf(DesktopCall::Viewer).at(0).path, work);
    EXPECT_EQ(TempDir::read(work),
              BuildCoordinateTable("1,TREE,100.5,200.25,30", DefaultColumnOrder(true)));
    const auto previews = desk.callsOf(DesktopCall::Preview);
    ASSERT_EQ(previews.size(), 1u);
    EXPECT_EQ(previews[0].text, "坐标表 - src.txt");
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&pdf);
        EXPECT_TRUE(previews[0].paint(writer));
    }
    EXPECT_TRUE(pdf.data().startsWith("%PDF"));

    // Printed to a PDF file: its text layer names 文 and 页 (of the heading and
    // the page's foot), not the radicals that share their glyphs.
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(dir.file("printed.pdf")));
    EXPECT_TRUE(previews[0].paint(printer));
    const std::string printed = TempDir::read(dir.file("printed.pdf"));
    for (const char* named : {"<6587>", "<9875>"})
        EXPECT_NE(printed.find(named), std::string::npos) << named;
    for (const char* radical : {"<2F42>", "<2EDA>"})
        EXPECT_EQ(printed.find(radical), std::string::npos) << radical;
}

// A target that cannot be written is the command line's fault test; its
// message goes through the same boxes as "Save OK".
TEST_F(ExportTest, DxfFromThePaneSaysSaveOk) {
    ShowInPane("P1,100,200,30,CODE\r\n");
    // Command 32813: the dialog names the drawing; no type chosen (-1) draws coordinates.
    QTimer::singleShot(0, [this] {
        auto* dxf = dynamic_cast<QtDialogHost*>(QApplication::activeModalWidget());
        ASSERT_NE(dxf, nullptr);
        Ctl<QPlainTextEdit>(*dxf, 1100)->setPlainText(QString::fromStdString(dir.file("out.dxf")));
        Click(*dxf, 1);
    });
    Window().OnCommand(32813);
    const auto boxes = desk.callsOf(DesktopCall::Message);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "Save OK");
    EXPECT_EQ(boxes[0].text, dir.file("out.dxf"));
    EXPECT_NE(TempDir::read(dir.file("out.dxf")).find("\n20\n100.000000\n"), std::string::npos);
    EXPECT_EQ(TempDir::read(WorkFilePath()), "P1,100,200,30,CODE\r\n");
}

// When the work file cannot be created (its folder lies under a regular file),
// the DXF and table commands say why, show no "Save OK", open nothing and leave
// the earlier drawing as it was.
TEST_F(ExportTest, WorkFileThatCannotBeCreatedIsReportedAndChangesNothing) {
    const std::string blocker = dir.write("blocker", "a file where the data folder should be");
    setenv("XDG_DATA_HOME", (blocker + "/data").c_str(), 1);
    ShowInPane("P1,100,200,30,CODE\r\n");
    const std::string target = dir.write("out.dxf", "earlier drawing");
    ExportPaneAsDxf(Window(), target, 1);
    desk.answerFile(dir.write("src.txt", "1,TREE,100.5,200.25,30\r\n"));
    PrintCoordinateTable(Window(), DefaultColumnOrder(true));
    const auto boxes = desk.callsOf(DesktopCall::Message);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_NE(boxes[0].caption, "Save OK");
    for (const DesktopCall& box : boxes) {
        EXPECT_NE(box.text.find("veltratemp.txt"), std::string::npos) << box.text;
        EXPECT_NE(box.text.find("无法写入文件"), std::string::npos) << box.text;
    }
    EXPECT_EQ(TempDir::read(target), "earlier drawing");
    EXPECT_EQ(Window().m_strText, "P1,100,200,30,CODE\r\n");
    EXPECT_TRUE(desk.callsOf(DesktopCall::Viewer).empty());
    EXPECT_EQ(TempDir::read(blocker), "a file where the data folder should be");
}

// Command 32812: the two file dialogs, messages on failure, and the workbook
// handed to the viewer after a pause that does not block the window.
constexpr int kExcelCommand = 32812;

class ExcelCommandTest : public MainWindowTest {
protected:
    void TearDown() override {
        SetExcelOpenDelayMs(kExcelOpenDelayMs);
        MainWindowTest::TearDown();
    }

    size_t ViewerCalls() const { return desk.callsOf(DesktopCall::Viewer).size(); }
};

TEST_F(ExcelCommandTest, WritesTheWorkbookAndTheViewerGetsItOnlyAfterThePause) {
    const std::string target = dir.file("points.xls");
    desk.answerFile(dir.write("src.txt", "1,100.5,200.25,30.1,TREE\r\n"));
    desk.answerFile(target);
    desk.answerOption(true);  // number cells: the workbook gets the format "0.000"
    QElapsedTimer clock;
    clock.start();
    Window().OnCommand(kExcelCommand);
    EXPECT_LT(clock.elapsed(), kExcelOpenDelayMs) << "the command does not sleep through the pause";
    ASSERT_TRUE(RunEventsUntil([&] { return FileExists(target); }, 10000));

    const auto opens = desk.callsOf(DesktopCall::OpenFile);
    const auto saves = desk.callsOf(DesktopCall::SaveFile);
    ASSERT_EQ(opens.size(), 1u);
    ASSERT_EQ(saves.size(), 1u);
    EXPECT_EQ(opens[0].request.filter, "*.txt|*.txt|*.dat|*.dat|*.*|*.*|");
    EXPECT_EQ(opens[0].request.defaultExt, "txt");
    EXPECT_EQ(saves[0].request.filter, "*.xls|*.xls|*.xlsx|*.xlsx|");
    EXPECT_EQ(saves[0].request.optionCaption, kExcelNumbersOption);
    EXPECT_EQ(saves[0].request.defaultExt, "xls");
    EXPECT_TRUE(saves[0].request.confirmOverwrite);
    EXPECT_TRUE(desk.messages().empty()) << "no message on success";
    const std::string numberFormat(
        "\x05\x00\x00"
        "0.000",
        8);
    EXPECT_NE(TempDir::read(target).find(numberFormat), std::string::npos);
    // The window closes during the pause: nothing is opened for it afterwards.
    RunEventsUntil([] { return false; }, 50);
    main.reset();
    RunEventsUntil([] { return false; }, 50);
    EXPECT_EQ(ViewerCalls(), 0u);

    // The box is remembered in the settings file: ticked the next time; the
    // viewer gets the workbook when the pause is over.
    SetExcelOpenDelayMs(20);
    const std::string again = dir.file("again.xls");
    desk.answerFile(dir.file("src.txt"));
    desk.answerFile(again);
    Window().OnCommand(kExcelCommand);
    ASSERT_TRUE(RunEventsUntil([this] { return ViewerCalls() > 0; }, 5000));
    EXPECT_EQ(desk.callsOf(DesktopCall::Viewer)[0].path, again);
    EXPECT_NE(TempDir::read(again).find(numberFormat), std::string::npos);
    EXPECT_TRUE(LoadExcelNumbers(UserIniPath()));
    EXPECT_EQ(StatusLine(), "已保存 " + again + "（1 行）");
}

TEST_F(ExcelCommandTest, CancelTouchesNothingFailuresAreShownAndNothingIsOpened) {
    SetExcelOpenDelayMs(0);
    desk.answerFile(std::nullopt);
    ASSERT_TRUE(Window().OnCommand(kExcelCommand));
    EXPECT_TRUE(desk.callsOf(DesktopCall::SaveFile).empty());
    desk.answerFile(dir.write("src.txt", "1,2,3,4,5\n"));
    const std::string kept = dir.write("keep.xls", "old");
    desk.answerFile(std::nullopt);
    Window().OnCommand(kExcelCommand);
    EXPECT_EQ(TempDir::read(kept), "old");
    EXPECT_TRUE(desk.messages().empty());
    EXPECT_EQ(desk.unscripted(), 0);

    desk.clearCalls();
    desk.answerFile(dir.file("missing.txt"));
    Window().OnCommand(kExcelCommand);
    ASSERT_EQ(desk.messages().size(), 1u);
    EXPECT_EQ(desk.messages()[0], ReadFailureMessage(dir.file("missing.txt"), ENOENT));
    EXPECT_TRUE(desk.callsOf(DesktopCall::SaveFile).empty());

    const std::string target = dir.file("no/folder/points.xls");
    desk.answerFile(dir.file("src.txt"));
    desk.answerFile(target);
    Window().OnCommand(kExcelCommand);
    ASSERT_TRUE(RunEventsUntil([this] { return desk.messages().size() == 2; }, 10000));
    EXPECT_EQ(desk.messages()[1], WriteFailureMessage(target, ENOENT));
    RunEventsUntil([] { return false; }, 50);
    EXPECT_EQ(ViewerCalls(), 0u);
}

// Another maker's file is read into its points by all three exports, as the
// command line reads it with the format left to be recognised.
TEST_F(ExcelCommandTest, OtherMakersFilesAreReadByEveryExport) {
    SetExcelOpenDelayMs(0);
    std::string gsi;
    ASSERT_TRUE(ReadFileBytes(VM_SOURCE_DIR "/tests/data/other_makers/sample.gsi8", gsi));
    const std::string source = dir.write("field.gsi", gsi);
    desk.answerFile(source);
    desk.answerFile(dir.file("points.txt"));
    Window().OnCommand(kExcelCommand);
    ASSERT_TRUE(RunEventsUntil([this] { return ViewerCalls() > 0; }, 10000));
    EXPECT_NE(TempDir::read(dir.file("points.txt"))
                  .find("\"P3\"Coordinate\"1100.123\"Coordinate\"2200.568\""),
              std::string::npos);
    EXPECT_EQ(StatusLine().rfind("源文件格式：", 0), 0u) << StatusLine();

    desk.answerFile(source);
    PrintCoordinateTable(Window(), DefaultColumnOrder(true));
    const std::string table = TempDir::read(WorkFilePath());
    EXPECT_NE(table.find("P3"), std::string::npos) << table;
    EXPECT_NE(table.find("2200.568"), std::string::npos) << table;
    ASSERT_EQ(desk.callsOf(DesktopCall::Preview).size(), 1u);

    ShowInPane(gsi);
    ExportPaneAsDxf(Window(), dir.file("field.dxf"), 1);
    EXPECT_NE(TempDir::read(dir.file("field.dxf")).find("\n10\n2000.000000\n20\n1000.000000\n"),
              std::string::npos);
    EXPECT_TRUE(desk.messages().size() == 1 && desk.messages()[0] == dir.file("field.dxf"))
        << "only Save OK is said";
}

}  // namespace
}  // namespace vm::test
