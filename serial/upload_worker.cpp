#include "serial/upload_worker.h"

#include "common/file_io.h"
#include "common/line_reader.h"
#include "common/text.h"
#include "serial/comm_state.h"
#include "serial/comm_tick.h"
#include "serial/point_pieces.h"
#include "serial/serial_port.h"
#include "serial/transfer_texts.h"

namespace vm {

CUploadWorker::CUploadWorker(CSerialPort& port, UploadPacing pacing)
    : m_port(port), m_pacing(pacing) {}

CUploadWorker::~CUploadWorker() {
    m_quit = true;
    ++m_generation;
    m_wake.notify_all();
    Wait();
}

void CUploadWorker::Start(int nPort, UploadHooks hooks) {
    const unsigned generation = ++m_generation;
    m_stopRequested = false;
    std::thread previous = std::move(m_thread);
    m_thread = std::thread([this, generation, nPort, hooks = std::move(hooks),
                            previous = std::move(previous)]() mutable {
        if (previous.joinable())
            previous.join();
        Work(generation, nPort, hooks);
    });
}

UploadOutcome CUploadWorker::Run(int nPort, const UploadHooks& hooks) {
    m_stopRequested = false;
    return Work(++m_generation, nPort, hooks);
}

void CUploadWorker::Wait() {
    if (m_thread.joinable() && m_thread.get_id() != std::this_thread::get_id())
        m_thread.join();
}

bool CUploadWorker::StoppedLocked(unsigned generation) const {
    return m_quit || generation != m_generation || g_nCommMode == COMM_RECEIVE;
}

bool CUploadWorker::Stopped(unsigned generation) const {
    std::lock_guard<std::mutex> lock(g_commMutex);
    return StoppedLocked(generation);
}

void CUploadWorker::Sleep(int ms) {
    std::unique_lock<std::mutex> lock(m_sleepMutex);
    m_wake.wait_for(lock, std::chrono::milliseconds(ms), [this] { return m_quit.load(); });
}

void CUploadWorker::SetStatus(const std::string& status, const UploadHooks& hooks) {
    SetSendStatus(status);
    if (hooks.statusChanged)
        hooks.statusChanged(status);
}

void CUploadWorker::Send(const std::string& bytes) {
    m_port.SendData(bytes.data(), static_cast<int>(bytes.size()));
}

// Reads what the instrument sent, for its XON/XOFF. Never once a download
// has the port: the bytes are the download's then.
void CUploadWorker::TakeInput(unsigned generation) {
    std::string received;
    {
        std::lock_guard<std::mutex> lock(g_commMutex);
        if (StoppedLocked(generation))
            return;
        received = ReadAllQueued(m_port);
    }
    NoteFlowControl(received);
}

// The port and the tick are the worker's to close only while no download or
// later upload has taken them over.
void CUploadWorker::Finish(unsigned generation, const UploadHooks& hooks) {
    {
        // Under the lock that starting a download takes to set the mode, so
        // the port a download has just opened is never closed here.
        std::lock_guard<std::mutex> lock(g_commMutex);
        if (StoppedLocked(generation))
            return;
        m_port.Close();
    }
    if (hooks.finished)
        hooks.finished();
}

UploadOutcome CUploadWorker::Work(unsigned generation, int nPort, const UploadHooks& hooks) {
    if (Stopped(generation))
        return UploadOutcome::Stopped;
    SetStatus(kUploadStartedStatus, hooks);
    std::string path;
    if (!hooks.chooseFile || !hooks.chooseFile(path)) {
        SetStatus(kUploadCancelledStatus, hooks);
        Sleep(m_pacing.cancelDelayMs);
        Finish(generation, hooks);
        return UploadOutcome::Cancelled;
    }
    std::string bytes;
    FileError error;
    if (!ReadFileBytes(path, bytes, &error)) {
        // Nothing is sent, not even EOT: the instrument keeps waiting for a file.
        SetStatus(error.message, hooks);
        if (hooks.showMessage)
            hooks.showMessage(error.message);
        Finish(generation, hooks);
        return UploadOutcome::Unreadable;
    }
    std::string badLine;
    if (const long long bad = FirstUnsendableLine(bytes, badLine)) {
        // Nothing is sent: the instrument must not store a clamped coordinate.
        const std::string message = UnsendableLineMessage(bad, badLine);
        SetStatus(message, hooks);
        if (hooks.showMessage)
            hooks.showMessage(message);
        Finish(generation, hooks);
        return UploadOutcome::Unreadable;
    }
    long long lines = 0;
    const UploadOutcome outcome = SendLines(generation, nPort, bytes, hooks, lines);
    if (outcome != UploadOutcome::Sent)
        return outcome;
    if (Stopped(generation))
        return UploadOutcome::Stopped;
    Send(std::string(1, kEot));
    SetStatus(UploadDoneStatus(lines), hooks);
    Sleep(m_pacing.endDelayMs);
    m_port.DrainOutput();
    Finish(generation, hooks);
    return UploadOutcome::Sent;
}

UploadOutcome CUploadWorker::SendLines(unsigned generation, int nPort, const std::string& bytes,
                                       const UploadHooks& hooks, long long& lines) {
    long long total = 0;
    {
        LineReader counter(bytes);
        std::string piece;
        while (counter.Next(piece))
            ++total;
    }
    SetSendProgress(0, total);
    LineReader reader(bytes);
    std::string piece;
    while (reader.Next(piece)) {
        if (m_stopRequested)
            return StopForUser(generation, hooks, lines, total);
        if (!WaitForFlow(generation)) {
            if (Stopped(generation))
                return UploadOutcome::Stopped;
            if (m_stopRequested)
                return StopForUser(generation, hooks, lines, total);
            if (hooks.showMessage)
                hooks.showMessage(kNoResponseMessage);
            Send(std::string(1, kEot));
            Finish(generation, hooks);
            return UploadOutcome::NoResponse;
        }
        const std::string line = StripLineEnds(piece);
        {
            std::lock_guard<std::mutex> lock(g_commMutex);
            g_strSendLine = line;
            g_strSendLog += line + "\r\n";
        }
        SendPoint(line);
        SetSendProgress(++lines, total);
        SetStatus(SentLinesStatus(lines, total), hooks);
        // Let the line leave the device before dropping what the instrument
        // sent meanwhile; its XON/XOFF are kept for the next line's wait.
        m_port.DrainOutput();
        TakeInput(generation);
        if (Stopped(generation))
            return UploadOutcome::Stopped;
        if (m_port.IsLost()) {
            SetStatus(UploadPortLostStatus(nPort, lines, total), hooks);
            Finish(generation, hooks);
            return UploadOutcome::PortLost;
        }
        Sleep(m_pacing.lineGapMs);
    }
    if (m_stopRequested)
        return StopForUser(generation, hooks, lines, total);
    return UploadOutcome::Sent;
}

UploadOutcome CUploadWorker::StopForUser(unsigned generation, const UploadHooks& hooks,
                                         long long lines, long long total) {
    if (Stopped(generation))
        return UploadOutcome::Stopped;
    SetStatus(UploadStoppedStatus(lines, total), hooks);
    m_port.DrainOutput();
    Finish(generation, hooks);
    return UploadOutcome::StoppedByUser;
}

void CUploadWorker::SendPoint(const std::string& line) {
    const PointPieces pieces = SplitPointLine(line);
    if (!pieces.converted) {
        Send(line + "\r\n");
        return;
    }
    Send(pieces.first);
    Sleep(m_pacing.pieceGapMs);
    Send(pieces.second);
    Sleep(m_pacing.pieceGapMs);
    Send(pieces.third + "\r\n");
}

// True to go on with the next line; false when the instrument held the flow
// for the whole wait or the upload was stopped meanwhile.
bool CUploadWorker::WaitForFlow(unsigned generation) {
    TakeInput(generation);
    if (GetFlowState() != std::string(1, kXoff))
        return true;
    for (int step = 0; step < m_pacing.flowSteps; ++step) {
        Sleep(m_pacing.flowStepMs);
        TakeInput(generation);
        if (Stopped(generation) || m_stopRequested)
            return false;
        if (GetFlowState() == std::string(1, kXon))
            return true;
    }
    return false;
}

}  // namespace vm
