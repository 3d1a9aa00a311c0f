// The window's downloads in the journal: killed with SIGKILL in mid-download,
// the program offers the download at its next start and restores it byte for
// byte; on a full disk the download goes on in the pane and the status line
// says the journal could not be written, and the pane then counts as unsaved.
#include "tests/app/main_window_fixture.h"

#include <QLineEdit>
#include <QMenu>

#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <future>
#include <thread>

#include "app/main_window/pane_guard.h"
#include "app/main_window/status_line.h"
#include "app/main_window/recent_downloads_menu.h"
#include "tests/support/killed_download.h"

namespace vm::test {
namespace {

constexpr const char* kChildVariable = "VM_RECOVERY_CHILD_DIR";

// Run only as the child of the test below: the window downloads until killed.
TEST(DownloadRecoveryChild, DISABLED_downloadsUntilKilled) {
    const char* folder = std::getenv(kChildVariable);
    if (!folder)
        GTEST_SKIP() << "only run by the recovery test";
    EnsureApplication();
    ASSERT_EQ(::chdir(folder), 0);
    ScriptedDesktop desk;
    CMainDlg window;
    window.OnCommand(1004);
    RunEventsUntil([] { return false; }, 60000);
}

using DownloadRecoveryTest = InstrumentWindowTest;

TEST_F(DownloadRecoveryTest, aKilledDownloadIsOfferedAtTheNextStartAndRestoredByteForByte) {
    const KilledDownload killed = KillDuringDownload(
        pty,
        {"/proc/self/exe", "--gtest_filter=DownloadRecoveryChild.DISABLED_downloadsUntilKilled",
         "--gtest_also_run_disabled_tests"},
        {std::string(kChildVariable) + "=" + dir.path(), "QT_QPA_PLATFORM=offscreen"}, 2000);
    ASSERT_EQ(killed.error, "");

    desk.answerMessage(MsgResult::Yes);
    OfferInterruptedDownload(Window());
    ASSERT_EQ(desk.messages().size(), 1u);
    EXPECT_NE(desk.messages()[0].find("上次的下载没有正常结束"), std::string::npos);
    const std::string& pane = Window().m_strText;
    EXPECT_GE(pane.size(), killed.sentBeforeLastTick);
    EXPECT_GT(killed.sentBeforeLastTick, 0u);
    EXPECT_EQ(pane, killed.sent.substr(0, pane.size()));
    EXPECT_EQ(PaneKeptKind(Window()), PaneKeptIn::Journal);

    // The note is shown whole on a narrow window: the path shortened in its
    // middle, the whole note as the tooltip; a cancelled Save As keeps it.
    const std::string note = Window().m_strStatus;
    EXPECT_EQ(note.rfind("已恢复下载 ", 0), 0u) << note;
    Window().resize(490, 600);
    auto* line = static_cast<CStatusLine*>(Window().m_editStatus);
    const QString shown = line->ShownText();
    EXPECT_TRUE(shown.endsWith(QStringLiteral(".raw"))) << shown.toStdString();
    EXPECT_TRUE(shown.contains(QStringLiteral("（") + QString::number(pane.size()) +
                               QStringLiteral(" 字节，中断）：/")))
        << shown.toStdString();
    EXPECT_LE(line->fontMetrics().horizontalAdvance(shown), line->contentsRect().width());
    EXPECT_EQ(line->toolTip().toStdString(), note);
    desk.answerFile(std::nullopt);
    Window().OnCommand(32774);
    EXPECT_EQ(StatusLine(), note);

    // Offered once: the next start asks nothing; the menu still lists it.
    OfferInterruptedDownload(Window());
    EXPECT_EQ(desk.messages().size(), 1u);
    QMenu* menu = RecentDownloadsMenu(Window());
    ASSERT_NE(menu, nullptr);
    emit menu->aboutToShow();
    ASSERT_EQ(menu->actions().size(), 1);
    const std::string caption = menu->actions()[0]->text().toStdString();
    EXPECT_NE(caption.find(pty.DevicePath()), std::string::npos) << caption;
    EXPECT_NE(caption.find(std::to_string(pane.size()) + " 字节  中断"), std::string::npos)
        << caption;
}

TEST_F(DownloadRecoveryTest, onAFullDiskTheDownloadGoesOnAndThePaneCountsAsUnsaved) {
    std::string file;
    for (int i = 0; i < 300; ++i)
        file += "PT" + std::to_string(i) + ",1000.125,2000.5,30.25\r\n";
    auto sender = std::async(std::launch::async, [&] {
        if (!pty.WaitForProgram(10000))
            return false;
        sim::SendPlan plan;
        plan.bytes = file;
        plan.bytesPerSecond = 20000;
        plan.startDelayMs = 100;
        return sim::SendFile(pty, plan).sent == file.size();
    });
    Window();
    rlimit old{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
    rlimit small = old;
    small.rlim_cur = 3000;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    ASSERT_TRUE(Window().OnCommand(1004));
    const bool ended = RunEventsUntil([&] { return !Window().IsCommTimerActive(); }, 20000);
    ::setrlimit(RLIMIT_FSIZE, &old);
    ASSERT_TRUE(ended);
    EXPECT_TRUE(sender.get());
    EXPECT_EQ(Window().m_strText, file) << "the pane has every byte";
    EXPECT_NE(StatusLine().find("下载结束，共收到 " + std::to_string(file.size()) + " 字节"),
              std::string::npos)
        << StatusLine();
    EXPECT_NE(StatusLine().find("下载记录无法写入"), std::string::npos) << StatusLine();
    EXPECT_EQ(PaneKeptKind(Window()), PaneKeptIn::Nowhere) << "nothing claims to keep it";
    desk.answerMessage(MsgResult::Cancel);
    Window().OnCommand(32783);
    EXPECT_EQ(desk.messages(), std::vector<std::string>{kUnsavedPaneQuestion});
    EXPECT_EQ(Window().m_strText, file);
}

}  // namespace
}  // namespace vm::test
