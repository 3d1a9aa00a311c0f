// The download journal: what arrives is on disk byte for byte, tick by tick;
// entries list and restore exactly; old entries go but unseen ones stay; a
// journal that cannot be written says so and never claims more than it holds.
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include "common/file_io.h"
#include "serial/download_journal.h"
#include "serial/download_recording.h"
#include "tests/support/temp_dir.h"

namespace vm {
namespace {

unsigned Mode(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 ? st.st_mode & 0777 : 0;
}

std::string Restored(const JournalEntry& e) {
    std::string bytes, message;
    EXPECT_TRUE(ReadJournalBytes(e, bytes, message)) << message;
    return bytes;
}

TEST(DownloadJournal, keepsEachTicksBytesExactlyAndListsHowEachDownloadEnded) {
    test::TempDir dir;
    const std::string folder = dir.file("downloads");
    // Three downloads: ended by the end rule, cut by the device, and one whose
    // program died while it was receiving (its entry never ended).
    const std::string bytes[] = {std::string("A\r\nB\0\r\n\xB2\xE2", 9), "PT1,1,2,3\r\n", "half"};
    {
        CJournalRecorder complete(folder), lost(folder), killed(folder);
        ASSERT_TRUE(complete.Begin("/dev/ttyUSB0", "9600,8,N,1"));
        ASSERT_TRUE(lost.Begin("/dev/ttyS0", "2400,7,E,2"));
        ASSERT_TRUE(killed.Begin("/dev/ttyS1", "2400,8,N,1"));
        EXPECT_NE(complete.Id(), lost.Id()) << "two downloads in one second get their own ids";
        for (const std::string& part : {std::string(), bytes[0].substr(0, 4), bytes[0].substr(4)}) {
            TickResult tick;
            tick.received = part;
            tick.status = "收到数据行数: 1";
            EXPECT_EQ(JournalDownloadTick(complete, tick, false), tick.status);
        }
        TickResult end;
        end.finished = true;
        JournalDownloadTick(complete, end, false);
        TickResult gone;
        gone.received = bytes[1];
        gone.finished = gone.portLost = true;
        JournalDownloadTick(lost, gone, true);
        ASSERT_TRUE(killed.Append(bytes[2]));
        // The recorder of the dead program is never ended: its file just closes.
    }
    // A dead program's pid: pretend the third entry's writer is gone.
    const std::vector<JournalEntry> listed = ListJournal(folder);
    ASSERT_EQ(listed.size(), 3u);
    {
        std::string info;
        ASSERT_TRUE(ReadFileBytes(folder + "/" + listed[2].id + ".info", info));
        const size_t pid = info.find("pid=");
        info.replace(pid, info.find('\n', pid) - pid, "pid=999999999");
        ASSERT_TRUE(WriteFileAtomic(folder + "/" + listed[2].id + ".info", info));
    }
    const std::vector<JournalEntry> entries = ListJournal(folder);
    struct Expect {
        const char* device;
        size_t bytes;
        long long lines;
        bool complete, seen;
    } const expected[] = {{"/dev/ttyUSB0", 9, 3, true, false},
                          {"/dev/ttyS0", 11, 2, false, true},
                          {"/dev/ttyS1", 4, 1, false, false}};
    for (size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        const JournalEntry& e = entries[i];
        EXPECT_EQ(e.device, expected[i].device);
        EXPECT_EQ(e.bytes, expected[i].bytes);
        EXPECT_EQ(e.lines, expected[i].lines);
        EXPECT_EQ(e.complete, expected[i].complete);
        EXPECT_EQ(e.seen, expected[i].seen);
        EXPECT_FALSE(e.receiving);
        EXPECT_EQ(Restored(e), bytes[i]);
        EXPECT_EQ(Mode(e.dataPath), 0600u);
        EXPECT_EQ(e.startTime.size(), 19u);
    }
    EXPECT_EQ(Mode(folder), 0700u);
    EXPECT_EQ(entries[1].settings, "2400,7,E,2");
    // What start-up offers: the killed download, then nothing once it is seen.
    ASSERT_TRUE(UnseenInterruptedDownload(folder));
    EXPECT_EQ(UnseenInterruptedDownload(folder)->id, entries[2].id);
    MarkJournalSeen({entries[2].id}, folder);
    EXPECT_FALSE(UnseenInterruptedDownload(folder));
    EXPECT_FALSE(FindJournalEntry("../" + entries[0].id, folder)) << "an id is never a path";

    // A damaged record is listed last and marked, whatever its name sorts as.
    ASSERT_TRUE(WriteFileAtomic(folder + "/0.info", "garbled"));
    const std::vector<JournalEntry> withDamaged = ListJournal(folder);
    ASSERT_EQ(withDamaged.size(), 4u);
    EXPECT_EQ(withDamaged[0].id, entries[0].id);
    EXPECT_TRUE(withDamaged[3].id == "0" && withDamaged[3].damaged);
    EXPECT_FALSE(withDamaged[0].damaged);
}

TEST(DownloadJournal, keepsTheLast100ButNeverOneTheUserHasNotSeen) {
    test::TempDir dir;
    const std::string folder = dir.file("downloads");
    std::vector<std::string> ids;
    for (int i = 0; i < 104; ++i) {
        CJournalRecorder r(folder);
        ASSERT_TRUE(r.Begin("/dev/ttyS0", "2400,8,N,1"));
        r.Append("x");
        r.End(true, i != 1 && i != 2);  // the second and third are never seen
        ids.push_back(r.Id());
    }
    const std::vector<JournalEntry> left = ListJournal(folder);
    ASSERT_EQ(left.size(), 100u);
    std::vector<std::string> leftIds;
    for (const JournalEntry& e : left)
        leftIds.push_back(e.id);
    const std::vector<std::string> expected = [&] {
        std::vector<std::string> keep = {ids[1], ids[2]};
        keep.insert(keep.end(), ids.begin() + 6, ids.end());
        return keep;
    }();
    EXPECT_EQ(leftIds, expected) << "the oldest seen entries went first";
}

// RLIMIT_FSIZE stands in for a full disk: the journal stops where the file
// could not grow, says so, and restores exactly the bytes before that point.
TEST(DownloadJournal, aFullDiskStopsTheJournalAndTheStatusSaysSo) {
    test::TempDir dir;
    const std::string folder = dir.file("downloads");
    CJournalRecorder journal(folder);
    ASSERT_TRUE(journal.Begin("/dev/ttyS0", "2400,8,N,1"));
    rlimit old{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
    rlimit small = old;
    small.rlim_cur = 5000;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    std::string sent;
    std::vector<std::string> statuses;
    for (int i = 0; i < 4; ++i) {
        TickResult tick;
        tick.received = std::string(2000, char('a' + i));
        tick.status = "收到数据行数: 1";
        sent += tick.received;
        statuses.push_back(JournalDownloadTick(journal, tick, true));
    }
    ::setrlimit(RLIMIT_FSIZE, &old);
    EXPECT_EQ(statuses[1], "收到数据行数: 1");
    EXPECT_NE(statuses[2].find("下载记录无法写入"), std::string::npos) << statuses[2];
    EXPECT_EQ(statuses[3], statuses[2]) << "it stays failed, with no gap after";
    EXPECT_FALSE(journal.HoldsAll());
    journal.End(true, true);
    const JournalEntry e = ListJournal(folder).at(0);
    EXPECT_TRUE(e.complete) << "every byte reached the pane: the download was not interrupted";
    EXPECT_TRUE(e.journalFailed) << "but the journal holds only the first bytes";
    EXPECT_EQ(e.bytes, 5000u);
    EXPECT_EQ(Restored(e), sent.substr(0, 5000));
}

}  // namespace
}  // namespace vm
