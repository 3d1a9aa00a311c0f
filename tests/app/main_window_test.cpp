// The main window as a desktop window: resizing and its remembered place, the
// standard shortcuts, a dropped file, the recent files and the title, and
// Qt's own texts in Chinese.
#include "tests/app/main_window_fixture.h"

#include <QDialogButtonBox>
#include <QDropEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTranslator>
#include <QUrl>

#include <algorithm>

#include "app/main_window/qt_translation.h"
#include "app/main_window/recent_files.h"
#include "app/main_window/window_frame.h"
#include "common/user_paths.h"

namespace vm::test {
namespace {

class WindowTest : public MainWindowTest {
protected:
    std::string Title() { return Window().windowTitle().toStdString(); }
    // A file dragged onto the pane and dropped, as the window system delivers it.
    void Drop(const std::string& path) {
        Window().show();
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(QString::fromStdString(path))});
        const QPointF at = Window().m_editText->viewport()->mapTo(&Window(), QPoint(10, 10));
        QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(Window().windowHandle(), &enter);
        QDropEvent drop(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(Window().windowHandle(), &drop);
    }
    QStringList RecentEntries() {
        QStringList entries;
        for (QAction* a : CRecentFiles::Of(Window())->Menu()->actions())
            entries << a->text();
        return entries;
    }
};

// The window with its frame (40 pixels of title bar, 8 of border) always lies
// within a screen's available area; a remembered place is kept only while it
// is on a screen.
TEST(WindowPlacement, aStoredPlaceIsFittedToTheScreensOfNow) {
    const QRect laptop(0, 0, 1366, 728);  // 1366 x 768 less a 40-pixel task bar
    const QRect monitor(1366, 0, 1920, 1040);
    const QSize templateSize(490, 779);
    const struct {
        QRect stored, fitted;
        std::vector<QRect> screens;
    } rows[] = {
        {QRect(), QRect(430, 0, 490, 680), {laptop}},  // first run: centred, frame and all
        {QRect(100, 50, 800, 600), QRect(100, 50, 800, 600), {laptop}},    // as it was
        {QRect(100, 50, 800, 700), QRect(100, 0, 800, 680), {laptop}},     // title bar in sight
        {QRect(1800, 900, 800, 600), QRect(275, 40, 800, 600), {laptop}},  // screen gone
        {QRect(1800, 900, 800, 600), QRect(1800, 392, 800, 600), {laptop, monitor}},
        {QRect(-50, -20, 3000, 2000), QRect(0, 0, 1350, 680), {laptop}},  // never larger
        {QRect(10, 10, 100, 100), QRect(QPoint(10, 10), kMainWindowMinimum), {laptop}},
    };
    for (const auto& r : rows)
        EXPECT_EQ(FittedPlacement(r.stored, templateSize, r.screens), r.fitted) << r.stored.x();
    EXPECT_LE(kMainWindowMinimum.height() + kFrameAllowance.top() + kFrameAllowance.bottom(), 728);
}

TEST_F(WindowTest, resizingGivesThePaneTheSpaceAndThePlaceIsRemembered) {
    Window().show();
    EXPECT_EQ(Window().minimumSize(), kMainWindowMinimum);
    EXPECT_GT(Window().maximumWidth(), 5000);
    Window().resize(700, 520);
    QCoreApplication::processEvents();
    const QRect pane = Window().m_editText->geometry();
    const QRect status = Window().m_editStatus->geometry();
    EXPECT_EQ(pane.width(), 700 - 6);
    EXPECT_EQ(status.bottom(), 520 - 4);
    EXPECT_GT(pane.height(), 520 - status.height() - 100);
    EXPECT_LT(pane.bottom(), status.top());

    Window().move(30, 20);
    Window().hide();
    const WindowPlacement stored = LoadWindowPlacement(UserIniPath());
    EXPECT_EQ(stored.frame.size(), QSize(700, 520));
    main.reset();
    EXPECT_EQ(Window().size(), QSize(700, 520));
}

// Ctrl+N, Ctrl+O, Ctrl+S (Save As) and Ctrl+Q reach their commands; the file
// opened or saved names the window and heads the recent files.
TEST_F(WindowTest, shortcutsRunTheFileCommandsAndTheTitleNamesTheFile) {
    Window().show();
    Window().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Window()));
    const std::string a = dir.write("a.txt", "P1,1,2,3,\r\n");
    desk.answerFile(a);
    QTest::keyClick(&Window(), Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(Window().m_strText, "P1,1,2,3,\r\n");
    EXPECT_EQ(Title(), "VeltraMarlin(2.5) - a.txt");

    const std::string b = dir.file("b.txt");
    desk.answerFile(b);
    QTest::keyClick(&Window(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(StatusLine(), "保存成功");
    EXPECT_EQ(Title(), "VeltraMarlin(2.5) - b.txt");
    EXPECT_EQ(LoadRecentFiles(UserIniPath()), (std::vector<std::string>{b, a}));

    desk.answerMessage(MsgResult::Yes);
    QTest::keyClick(&Window(), Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(Window().m_strText, "");
    EXPECT_EQ(Title(), "VeltraMarlin(2.5)");

    desk.answerMessage(MsgResult::No);
    QTest::keyClick(&Window(), Qt::Key_Q, Qt::ControlModifier);
    EXPECT_EQ(desk.messages().back(), "真的要退出程序吗>>>");
    EXPECT_TRUE(Window().isVisible());
    EXPECT_EQ(desk.unscripted(), 0);
}

TEST_F(WindowTest, aDroppedFileOpensAsOpenDoesAndRecentFilesKeepTheLastEight) {
    ShowInPane("before");
    Drop(dir.file("missing.txt"));
    EXPECT_EQ(Window().m_strText, "before") << "an unreadable file changes nothing";
    ASSERT_EQ(desk.messages().size(), 1u);

    std::vector<std::string> files;
    for (int i = 0; i < 10; ++i)
        files.push_back(dir.write("f" + std::to_string(i) + ".txt", "file " + std::to_string(i)));
    desk.answerMessage(MsgResult::No);  // the typed text is kept nowhere: the guard asks once
    for (const std::string& f : files)
        Drop(f);
    EXPECT_EQ(Window().m_strText, "file 9");
    EXPECT_EQ(desk.messages().size(), 2u);
    Drop(files[4]);  // again: moves to the top, not twice in the list
    const QStringList entries = RecentEntries();
    ASSERT_EQ(entries.size(), 8);
    EXPECT_TRUE(entries[0].endsWith("f4.txt"));
    EXPECT_TRUE(entries[1].endsWith("f9.txt"));
    EXPECT_TRUE(entries[7].endsWith("f2.txt"));

    main.reset();  // kept for the next run
    ASSERT_EQ(RecentEntries().size(), 8);
    CRecentFiles::Of(Window())->Menu()->actions()[1]->trigger();
    EXPECT_EQ(Window().m_strText, "file 9");
}

TEST_F(WindowTest, qtsOwnButtonsSpeakChinese) {
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
    ASSERT_TRUE(InstallQtTranslation(*QCoreApplication::instance()));
    QDialogButtonBox box(QDialogButtonBox::Yes | QDialogButtonBox::Cancel);
    EXPECT_EQ(box.button(QDialogButtonBox::Cancel)->text(), "取消");
    for (QTranslator* t : QCoreApplication::instance()->findChildren<QTranslator*>()) {
        QCoreApplication::removeTranslator(t);
        delete t;
    }
    QLocale::setDefault(QLocale::c());
}

}  // namespace
}  // namespace vm::test
