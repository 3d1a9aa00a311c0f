#include "serial/download_journal.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <ctime>

#include "common/file_io.h"
#include "common/user_paths.h"

namespace vm {
namespace {

std::string TwoDigits(int n) {
    return std::string(1, char('0' + n / 10 % 10)) + char('0' + n % 10);
}

std::tm LocalTime(long long epochMs) {
    const std::time_t seconds = static_cast<std::time_t>(epochMs / 1000);
    std::tm local{};
    if (const std::tm* t = std::localtime(&seconds))
        local = *t;
    return local;
}

}  // namespace

std::string DownloadJournalDir() {
    const std::string dir = UserDataDir() + "/downloads";
    MakeFolders(dir, 0700);
    return dir;
}

std::string DescribeLineSettings(const ComSettings& s) {
    static const char kParity[] = {'N', 'O', 'E'};
    static const char* const kStop[] = {"1", "1.5", "2"};
    std::string text = std::to_string(s.nBaud) + "," + std::to_string(s.byByteSize) + ",";
    text += s.byParity < 3 ? kParity[s.byParity] : '?';
    text += ",";
    text += s.byStopBits < 3 ? kStop[s.byStopBits] : "?";
    return text;
}

const char* JournalEndingText(const JournalEntry& entry) {
    if (entry.receiving)
        return "接收中";
    if (entry.complete)
        return "正常结束";
    return entry.stopped ? "用户停止" : "中断";
}

std::string JournalPaneText(const std::string& bytes) {
    std::string text = bytes;
    text.erase(std::remove(text.begin(), text.end(), '\0'), text.end());
    return text;
}

std::string JournalKeptNote(const std::string& dataPath) {
    return "下载的数据保存在 " + dataPath + "，可从“文件 ▸ 最近下载”恢复";
}

std::string JournalFailedNote(const std::string& reason) {
    return "下载记录无法写入（" + reason + "），数据只在文本窗口中";
}

CJournalRecorder::CJournalRecorder(std::string dir) : m_dir(std::move(dir)) {}

bool CJournalRecorder::Begin(const std::string& device, const std::string& settings) {
    m_file.Close();
    m_started = false;
    m_begun = false;
    m_failed = false;
    m_error.clear();
    m_bytes = 0;
    m_lines = 1;
    m_device = device;
    m_settings = settings;
    m_startMs = std::chrono::duration_cast<std::chrono::milliseconds>(
                    std::chrono::system_clock::now().time_since_epoch())
                    .count();
    const std::tm t = LocalTime(m_startMs);
    const std::string date =
        std::to_string(t.tm_year + 1900) + TwoDigits(t.tm_mon + 1) + TwoDigits(t.tm_mday);
    const std::string time = TwoDigits(t.tm_hour) + TwoDigits(t.tm_min) + TwoDigits(t.tm_sec);
    m_start = date.substr(0, 4) + "-" + date.substr(4, 2) + "-" + date.substr(6, 2) + "T" +
              time.substr(0, 2) + ":" + time.substr(2, 2) + ":" + time.substr(4, 2);
    if (!MakeFolders(m_dir, 0700)) {
        Fail(errno, m_dir);
        return false;
    }
    int code = 0;
    for (int n = 1; n < 1000; ++n) {
        m_id = date + "-" + time + (n > 1 ? "-" + std::to_string(n) : std::string());
        m_dataPath = m_dir + "/" + m_id + ".raw";
        if (m_file.Create(m_dataPath, code))
            break;
        if (code != EEXIST)
            break;
    }
    if (!m_file.IsOpen()) {
        Fail(code, m_dataPath);
        return false;
    }
    m_started = true;
    m_begun = true;
    if (!WriteInfo("receiving"))
        return false;
    PruneJournal(kJournalKeep, m_dir);
    return true;
}

bool CJournalRecorder::Append(const std::string& bytes) {
    if (!m_started || m_failed)
        return false;
    if (bytes.empty())
        return true;
    std::size_t written = 0;
    int code = 0;
    const bool ok = m_file.Append(bytes.data(), bytes.size(), written, code);
    m_bytes += written;
    CountLines(bytes.data(), written);
    if (!ok) {
        Fail(code, m_dataPath);
        m_file.Close();
        WriteInfo("receiving");
    }
    return ok;
}

void CJournalRecorder::End(bool complete, bool seen) {
    Finish(complete ? "complete" : "interrupted", seen);
}

void CJournalRecorder::EndStopped(bool seen) {
    Finish("stopped", seen);
}

void CJournalRecorder::Finish(const char* state, bool seen) {
    if (!m_started)
        return;
    m_file.Close();
    m_started = false;
    WriteInfo(state);
    if (seen)
        MarkJournalSeen({m_id}, m_dir);
}

// Counts line breaks as the pane's status shows them: one per LF.
void CJournalRecorder::CountLines(const char* data, std::size_t size) {
    for (std::size_t i = 0; i < size; ++i)
        m_lines += data[i] == '\n' ? 1 : 0;
}

void CJournalRecorder::Fail(int code, const std::string& what) {
    m_failed = true;
    m_error = WriteFailureMessage(what, code);
}

bool CJournalRecorder::WriteInfo(const char* state) {
    std::string info;
    info += "start=" + m_start + "\n";
    info += "started-ms=" + std::to_string(m_startMs) + "\n";
    info += "device=" + m_device + "\n";
    info += "settings=" + m_settings + "\n";
    info += "pid=" + std::to_string(CurrentProcessId()) + "\n";
    info += std::string("state=") + state + "\n";
    info += std::string("journal=") + (m_failed ? "failed" : "ok") + "\n";
    info += "bytes=" + std::to_string(m_bytes) + "\n";
    info += "lines=" + std::to_string(m_lines) + "\n";
    info += "seen=0\n";
    FileError error;
    if (WriteFileAtomic(m_dir + "/" + m_id + ".info", info, &error, FileMode::OwnerOnly))
        return true;
    if (!m_failed) {
        m_failed = true;
        m_error = error.message;
    }
    return false;
}

}  // namespace vm
