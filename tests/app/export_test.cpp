// The column-order and DXF dialogs and their commands, headless: defaults, the
// check box, the stored type, the empty-path message, and the commands on a real
// main window, also when the work file cannot be created.
#include "tests/app/main_window_fixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPlainTextEdit>

#include <QBuffer>
#include <QElapsedTimer>
#include <QPdfWriter>
#include <QPrinter>

#include <cerrno>

#include "app/exports/cmd_excel.h"
#include "app/exports/column_order_dlg.h"
#include "app/exports/dxf_dlg.h"
#include "common/file_io.h"
#include "common/ini_file.h"
#include "common/user_paths.h"
#include "export/coordinate_table.h"
#include "export/excel_settings.h"

namespace vm::test {
namespace {

using ExportTest = MainWindowTest;

// PT#, PCode, X, Y, Z as the lists show them (zero-based).
std::array<int, 5> Shown(const QWidget& d) {
    std::array<int, 5> shown{};
    const int lists[] = {1020, 1091, 1088, 1089, 1090};
    for (int i = 0; i < 5; ++i)
        shown[i] = Ctl<QComboBox>(d, lists[i])->currentIndex();
    return shown;
}

TEST_F(ExportTest, ColumnOrderDialog_defaultsCheckBoxAndOk) {
    CColumnOrderDlg dlg;
    dlg.OnInitDialog();
    auto* box = Ctl<QCheckBox>(dlg, 1067);
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("选择数据位置"));
    EXPECT_TRUE(box->isChecked() && Ctl(dlg, 1091)->isEnabled());
    EXPECT_EQ(Shown(dlg), (std::array<int, 5>{0, 1, 2, 3, 4}));

    Ctl<QComboBox>(dlg, 1091)->setCurrentIndex(4);
    box->click();  // cleared: the PCode list keeps its choice
    EXPECT_FALSE(Ctl(dlg, 1091)->isEnabled());
    EXPECT_EQ(Shown(dlg), (std::array<int, 5>{0, 4, 1, 2, 3}));
    Ctl<QComboBox>(dlg, 1089)->setCurrentIndex(1);
    Click(dlg, 1);
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    const ColumnOrder& o = dlg.m_order;
    EXPECT_EQ((std::array<int, 6>{o.m_nPtCol, o.m_nCodeCol, o.m_nXCol, o.m_nYCol, o.m_nZCol,
                                  o.m_bHasCode}),
              (std::array<int, 6>{0, 4, 1, 1, 3, 0}));

    box->click();  // ticked again
    EXPECT_EQ(Shown(dlg), (std::array<int, 5>{0, 4, 2, 3, 4}));
    dlg.OnInitDialog();  // every opening starts from the defaults
    EXPECT_EQ(Shown(dlg), (std::array<int, 5>{0, 1, 2, 3, 4}));
}

// The type list shows the stored type, or nothing when it is outside the list
// (the default 2 is), and the two check boxes start as remembered; an empty
// path is refused and stores nothing, then OK stores the type and the boxes.
TEST_F(ExportTest, DxfDialog_storedChoicesAndEmptyPath) {
    const std::string ini = dir.file("ConfigFile.ini");
    IniWriteString(ini, "Parametersetting", "cadformat", "1");
    CDxfDlg dlg;
    dlg.m_strIniPath = ini;
    auto* types = Ctl<QComboBox>(dlg, 1107);
    for (const auto& [stored, shown] : {std::pair{"", -1}, {"-1", -1}, {"1", 1}, {"0", 0}}) {
        if (*stored)
            IniWriteString(ini, "tempvar", "filetype", stored);
        dlg.OnInitDialog();
        EXPECT_EQ(types->currentIndex(), shown) << stored;
    }
    EXPECT_EQ(types->count(), 2);
    EXPECT_EQ(types->itemText(1), QStringLiteral("坐标文件"));
    EXPECT_TRUE(Ctl<QCheckBox>(dlg, 1108)->isChecked());
    EXPECT_FALSE(Ctl<QCheckBox>(dlg, 1109)->isChecked());
    Ctl<QCheckBox>(dlg, 1108)->click();
    Ctl<QCheckBox>(dlg, 1109)->click();

    types->setCurrentIndex(-1);
    Click(dlg, 1);  // empty path
    EXPECT_EQ(desk.messages(), std::vector<std::string>{"选择保存位置"});
    EXPECT_NE(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(IniGetInt(ini, "tempvar", "filetype", 9), 0);  // not stored when refused
    EXPECT_EQ(IniGetInt(ini, "Parametersetting", "cadformat", 9), 1);

    Ctl<QPlainTextEdit>(dlg, 1100)->setPlainText(QStringLiteral("/tmp/图.dxf"));
    Click(dlg, 1);
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(dlg.m_strDxfPath, "/tmp/图.dxf");
    EXPECT_NE(TempDir::read(ini).find("filetype=-1"), std::string::npos);
    EXPECT_FALSE(dlg.m_options.cadReady);
    EXPECT_TRUE(dlg.m_options.metres);
    EXPECT_EQ(IniGetInt(ini, "Parametersetting", "cadformat", 9), 0);
    EXPECT_EQ(IniGetInt(ini, "Parametersetting", "metres", 9), 1);
}

// The table replaces the work file only once its source is read; then the
// viewer shows the work file and the print preview gets the same rows as pages.
TEST_F(ExportTest, TableReplacesTheWorkFileOnlyWhenTheSourceIsReadAndPreviewsIt) {
    const std::string work = WorkFilePath();
    dir.write("data/VeltraMarlin/veltratemp.txt", "the pane");
    desk.answerFile(std::nullopt);
    PrintCoordinateTable(Window(), DefaultColumnOrder(true));
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

TEST_F(ExportTest, DxfFromThePaneSaysSaveOkOnlyWhenWritten) {
    ShowInPane("P1,100,200,30,CODE\r\n");
    ExportPaneAsDxf(Window(), dir.file("no/folder/out.dxf"), 1);
    ExportPaneAsDxf(Window(), dir.file("out.dxf"), -1);  // any type but 0: coordinates
    const auto boxes = desk.callsOf(DesktopCall::Message);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_NE(boxes[0].caption, "Save OK");
    EXPECT_NE(boxes[0].text.find("no/folder/out.dxf"), std::string::npos);
    EXPECT_EQ(boxes[1].caption, "Save OK");
    EXPECT_EQ(boxes[1].text, dir.file("out.dxf"));
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

TEST_F(ExcelCommandTest, WritesTheWorkbookAndOpensItOnlyAfterThePause) {
    const std::string target = dir.file("points.xls");
    desk.answerFile(dir.write("src.txt", "1,100.5,200.25,30.1,TREE\r\n"));
    desk.answerFile(target);
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
    EXPECT_TRUE(FileExists(target));
    EXPECT_TRUE(desk.messages().empty()) << "no message on success";
    EXPECT_EQ(ViewerCalls(), 0u);
    // The window closes during the pause: nothing is opened for it afterwards.
    RunEventsUntil([] { return false; }, 50);
    main.reset();
    RunEventsUntil([] { return false; }, 50);
    EXPECT_EQ(ViewerCalls(), 0u);
}

TEST_F(ExcelCommandTest, TheViewerGetsTheWorkbookWhenThePauseIsOver) {
    SetExcelOpenDelayMs(20);
    const std::string target = dir.file("points.xls");
    desk.answerFile(dir.write("src.txt", "1,2,3,4,5\n"));
    desk.answerFile(target);
    desk.answerOption(true);  // number cells: the workbook gets the format "0.000"
    Window().OnCommand(kExcelCommand);
    ASSERT_TRUE(RunEventsUntil([this] { return ViewerCalls() > 0; }, 5000));
    EXPECT_EQ(desk.callsOf(DesktopCall::Viewer)[0].path, target);
    const std::string numberFormat(
        "\x05\x00\x00"
        "0.000",
        8);
    EXPECT_NE(TempDir::read(target).find(numberFormat), std::string::npos);
    EXPECT_EQ(StatusLine(), "已保存 " + target + "（1 行）");

    // The box is remembered in the settings file: ticked the next time.
    const std::string again = dir.file("again.xls");
    desk.answerFile(dir.file("src.txt"));
    desk.answerFile(again);
    Window().OnCommand(kExcelCommand);
    ASSERT_TRUE(RunEventsUntil([this] { return ViewerCalls() > 1; }, 5000));
    EXPECT_NE(TempDir::read(again).find(numberFormat), std::string::npos);
    EXPECT_TRUE(LoadExcelNumbers(UserIniPath()));
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

}  // namespace
}  // namespace vm::test
