#pragma once
// The download journal: every download, from the window or the command line,
// is kept as it arrives in the per-user data folder ("downloads/" beside the
// work file, owner-only), so a crash, a kill, a power cut or a pane replaced
// by mistake never loses what the instrument sent.
//
// Each download is two files named by its id ("20261207-004012", with "-2",
// "-3", ... when two start in the same second):
//  - ID.raw: the bytes exactly as received, appended and flushed to the disk
//    (fdatasync) in the tick that received them;
//  - ID.info: "key=value" lines: start, device, settings, pid, state
//    (receiving, complete, stopped by the user, interrupted), journal (ok, failed), bytes, lines,
//    seen.
// The data file holds nothing that did not arrive; once a write fails the
// entry is marked failed and nothing more is appended, so it never has a gap.
// The last 100 entries are kept, oldest removed first, but an entry the user
// has not seen (listed, restored, or shown whole in the pane) is never removed.

#include <optional>
#include <string>
#include <vector>

#include "serial/com_settings.h"
#include "serial/journal_file.h"

namespace vm {

inline constexpr std::size_t kJournalKeep = 100;

// "downloads" in the per-user data folder, created owner-only.
std::string DownloadJournalDir();

// "2400,8,N,1": the line settings as the journal records them.
std::string DescribeLineSettings(const ComSettings& settings);

struct JournalEntry {
    std::string id;
    std::string startTime;  // local time, "2026-12-07T00:40:12"
    std::string device;
    std::string settings;
    unsigned long long bytes = 0;  // what the data file holds
    long long lines = 0;           // the pane's line count for those bytes
    bool complete = false;         // ended by the end rule: every byte reached the pane
    bool stopped = false;          // ended by the user's 停止
    bool receiving = false;        // its download is still running in a live process
    bool journalFailed = false;    // a write failed: the entry holds only the bytes before it
    bool damaged = false;          // its record cannot be read whole: listed last
    bool seen = false;
    std::string dataPath;
};

// Records one running download.
class CJournalRecorder {
public:
    explicit CJournalRecorder(std::string dir = DownloadJournalDir());

    // Starts a new entry (and prunes old ones). False, with Error(), when the
    // folder or the files cannot be made; the download goes on without it.
    bool Begin(const std::string& device, const std::string& settings);
    // Appends one tick's bytes and flushes them to the disk. False once the
    // journal could not be written; it then stays failed for this download.
    bool Append(const std::string& bytes);
    // The download is over: complete when the end rule ended it; seen when
    // the user has it (shown whole in the pane, or written to its output).
    void End(bool complete, bool seen);
    // The user stopped the download (停止).
    void EndStopped(bool seen);

    bool IsRecording() const { return m_file.IsOpen(); }
    // Everything received so far is in the journal.
    bool HoldsAll() const { return m_begun && !m_failed; }
    bool Failed() const { return m_failed; }
    const std::string& Error() const { return m_error; }
    const std::string& Id() const { return m_id; }
    const std::string& DataPath() const { return m_dataPath; }
    unsigned long long Bytes() const { return m_bytes; }
    long long Lines() const { return m_lines; }

private:
    bool WriteInfo(const char* state);
    void Finish(const char* state, bool seen);
    void Fail(int code, const std::string& what);
    void CountLines(const char* data, std::size_t size);

    std::string m_dir;
    std::string m_id, m_dataPath, m_start, m_device, m_settings;
    long long m_startMs = 0;
    CJournalFile m_file;
    unsigned long long m_bytes = 0;
    long long m_lines = 1;   // CR LF pairs seen so far, plus one
    bool m_started = false;  // recording now
    bool m_begun = false;    // this download's entry was made
    bool m_failed = false;
    std::string m_error;
};

// The entries of dir, oldest first.
std::vector<JournalEntry> ListJournal(const std::string& dir = DownloadJournalDir());
std::optional<JournalEntry> FindJournalEntry(const std::string& id,
                                             const std::string& dir = DownloadJournalDir());
// An entry's bytes exactly as received; false with the user's message when unreadable.
bool ReadJournalBytes(const JournalEntry& entry, std::string& bytes, std::string& message);
// Marks entries as seen by the user (so they may be pruned).
void MarkJournalSeen(const std::vector<std::string>& ids,
                     const std::string& dir = DownloadJournalDir());
// Removes the oldest seen entries beyond keep; never one unseen or still receiving.
void PruneJournal(std::size_t keep = kJournalKeep, const std::string& dir = DownloadJournalDir());

// The newest entry that ended without the end rule, whose program is gone and
// which the user has not seen: what start-up offers to restore.
std::optional<JournalEntry> UnseenInterruptedDownload(
    const std::string& dir = DownloadJournalDir());

// How an entry's download ended, as the lists name it: "接收中", "正常结束",
// "用户停止" or "中断".
const char* JournalEndingText(const JournalEntry& entry);

// The pane's text for journaled bytes: as the download tick shows them (a NUL
// cannot stand in the pane and is left out).
std::string JournalPaneText(const std::string& bytes);

// "下载的数据保存在 PATH，可从“文件 ▸ 最近下载”恢复".
std::string JournalKeptNote(const std::string& dataPath);
// "下载记录无法写入（REASON），数据只在文本窗口中".
std::string JournalFailedNote(const std::string& reason);

}  // namespace vm
