// The tool launchers, the About box, and the helpers every dialog relies on:
// file-dialog filters, dialog units and control ids.
#include "tests/app/main_window_fixture.h"

#include "app/about_dlg.h"
#include "app/dialog_units.h"
#include "app/file_filter.h"
#include "app/program_finder.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>

#include <sys/stat.h>

namespace vm::test {
namespace {

TEST_F(MainWindowTest, notepad_cancelLaunchesNothing) {
    desk.answerFile(std::nullopt);
    Window().OnCommand(32789);
    EXPECT_TRUE(desk.callsOf(DesktopCall::Editor).empty());
}

TEST_F(MainWindowTest, notepad_handsPathWithBlanksAsOneArgument) {
    const std::string path = dir.write("my survey data.ps", "x");
    desk.answerFile(path);
    Window().OnCommand(32789);
    const DesktopCall dialog = desk.callsOf(DesktopCall::OpenFile).at(0);
    EXPECT_EQ(dialog.parent, nullptr);  // no owner window
    EXPECT_EQ(dialog.request.filter,
              "Text(*.txt)|*.txt|for CT2100(*.ps)|*.ps|Data(*.dat)|*.dat|All files(*.*)|*.*|");
    ASSERT_EQ(desk.callsOf(DesktopCall::Editor).size(), 1u);
    EXPECT_EQ(desk.callsOf(DesktopCall::Editor)[0].path, path);
    EXPECT_TRUE(desk.messages().empty());
}

TEST_F(MainWindowTest, launchersWithNothingInstalled_sayWhatToInstall) {
    desk.setLaunchResult(false);
    desk.answerFile(dir.write("a.txt", "x"));
    Window().OnCommand(32789);
    Window().OnCommand(32790);
    EXPECT_EQ(desk.callsOf(DesktopCall::Calculator).size(), 1u);
    EXPECT_EQ(desk.messages(), (std::vector<std::string>{kNoEditorMessage, kNoCalculatorMessage}));
}

TEST(AboutBox, captionTextsAndOkButton) {
    EnsureApplication();
    CAboutDlg about;
    EXPECT_EQ(about.windowTitle(), QStringLiteral("About Veltra全站仪通讯"));
    QStringList texts;
    for (QLabel* label : about.findChildren<QLabel*>())
        texts << label->text();
    EXPECT_TRUE(texts.contains(QStringLiteral("VeltraMarlin(2.5)")));
    auto* ok = FindControl<QPushButton>(&about, 1);
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->text(), QStringLiteral("OK"));
    ok->click();
    EXPECT_EQ(about.result(), QDialog::Accepted);
}

TEST(FileFilter, translatesEntriesAndAllFiles) {
    EXPECT_EQ(QtFileFilter("*.txt|*.txt|*.dat|*.dat|*.*|*.*|"),
              "*.txt (*.txt);;*.dat (*.dat);;*.* (*)");
    EXPECT_EQ(QtFileFilter("Text(*.txt)|*.txt|Both|*.txt;*.dat|"),
              "Text(*.txt) (*.txt);;Both (*.txt *.dat)");
    EXPECT_EQ(QtFileFilter(""), "");
}

TEST(FileFilter, defaultExtension) {
    EXPECT_EQ(WithDefaultExtension("/a/out", "txt"), "/a/out.txt");
    EXPECT_EQ(WithDefaultExtension("/a/out", "*.txt"), "/a/out.txt");
    EXPECT_EQ(WithDefaultExtension("/a/out.dat", "txt"), "/a/out.dat");
    EXPECT_EQ(WithDefaultExtension("/a.b/out", "txt"), "/a.b/out.txt");
    EXPECT_EQ(WithDefaultExtension("/a/out", ""), "/a/out");

    TempDir dir;
    const std::string bare = dir.write("README", "x");
    dir.write("coords.txt", "x");
    EXPECT_EQ(ApplyDefaultExtension(bare, "txt", true), bare);  // exists as chosen
    EXPECT_EQ(ApplyDefaultExtension(dir.file("coords"), "txt", true), dir.file("coords.txt"));
    EXPECT_EQ(ApplyDefaultExtension(dir.file("nothing"), "txt", true), dir.file("nothing"));
    EXPECT_EQ(ApplyDefaultExtension(bare, "txt", false), bare + ".txt");
}

TEST(ProgramFinder, firstCandidateFoundOnSearchPath) {
    TempDir dir;
    const std::string bin1 = dir.file("bin1"), bin2 = dir.file("bin2");
    ::mkdir(bin1.c_str(), 0700);
    ::mkdir(bin2.c_str(), 0700);
    dir.write("bin1/kcalc", "#!/bin/sh\n");  // not executable: skipped
    ::chmod(dir.write("bin2/kcalc", "#!/bin/sh\n").c_str(), 0700);
    ::chmod(dir.write("bin2/xcalc", "#!/bin/sh\n").c_str(), 0700);
    const std::string path = bin1 + ":" + bin2;
    EXPECT_EQ(FindFirstProgram({"gnome-calculator", "kcalc", "xcalc"}, path), bin2 + "/kcalc");
    EXPECT_EQ(FindFirstProgram({"gnome-calculator"}, path), "");
}

TEST(DialogUnits, convertAsTheDialogManager) {
    const DialogUnits du(6, 13);
    EXPECT_EQ(du.toPixels(2, 0, 275, 322), QRect(3, 0, 413, 523));
    EXPECT_EQ(du.toPixels(280, 341), QSize(420, 554));
    EnsureApplication();
    QFont font = QApplication::font();
    const DialogUnits small = DialogUnits::ForFont(font);
    font.setPointSize(font.pointSize() * 2);
    const DialogUnits large = DialogUnits::ForFont(font);
    EXPECT_GT(small.baseX(), 0);
    EXPECT_GT(large.baseX(), small.baseX());
    EXPECT_GT(large.baseY(), small.baseY());
}

}  // namespace
}  // namespace vm::test
