#pragma once
// The upload worker: asks for a coordinate file, sends it to the instrument
// line by line (each point in three pieces, with pauses), then EOT. It runs on
// its own thread while the main window's tick shows its transcript and status;
// setting g_nCommMode to COMM_RECEIVE (a download starting) stops it after the
// line in progress.

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

namespace vm {

class CSerialPort;

// What the worker needs from the program around it. The hooks are called on
// the worker's thread; the GUI runs each on its window's thread and waits.
struct UploadHooks {
    // The file to send; false when the user cancels.
    std::function<bool(std::string& path)> chooseFile;
    // A message box with an OK button (instrument not responding, file unreadable).
    std::function<void(const std::string& text)> showMessage;
    // The worker is done with the port and has closed it: stop the tick. It is
    // called on the worker's thread and must not wait for the window's thread
    // (a window posts it to itself and checks that no newer transfer started).
    std::function<void()> finished;
    // Optional: each new status text, as it is set.
    std::function<void(const std::string& status)> statusChanged;
};

struct UploadPacing {
    int pieceGapMs = 300;     // after each of the first two pieces of a point
    int lineGapMs = 300;      // after each line
    int cancelDelayMs = 900;  // before closing the port when no file was chosen
    int endDelayMs = 300;     // after EOT, before closing the port
    int flowStepMs = 300;     // the wait while the instrument holds the flow (XOFF) ...
    int flowSteps = 40;       // ... gives up after this many steps
};

enum class UploadOutcome {
    Sent,           // every line and EOT went out
    Cancelled,      // no file was chosen
    Unreadable,     // the chosen file could not be read; nothing was sent
    NoResponse,     // the instrument held the flow for the whole wait; EOT sent
    PortLost,       // the device went away
    Stopped,        // a download or a later upload took the port over
    StoppedByUser,  // 停止: ended after a line, without EOT; the port is closed
};

class CUploadWorker {
public:
    explicit CUploadWorker(CSerialPort& port, UploadPacing pacing = UploadPacing());
    // Stops a running worker at once (no EOT) and waits for it.
    ~CUploadWorker();
    CUploadWorker(const CUploadWorker&) = delete;
    CUploadWorker& operator=(const CUploadWorker&) = delete;

    // Starts a worker thread for port nPort (the number its messages show). A
    // worker still running from an earlier upload is told to stop after its
    // line; the new one waits for it before it asks for its file, so two
    // workers never send into the port at once.
    void Start(int nPort, UploadHooks hooks);
    // The whole upload on the calling thread (the command line's way).
    UploadOutcome Run(int nPort, const UploadHooks& hooks);
    // Tells a running worker to stop after its line, before the port is
    // reopened for another transfer.
    void StopCurrent() { ++m_generation; }
    // The user's 停止: the running worker ends after the line it is sending,
    // sends no EOT, closes the port and says so in its status.
    void RequestStop() { m_stopRequested = true; }
    // Waits until the most recent worker has ended.
    void Wait();

private:
    UploadOutcome Work(unsigned generation, int nPort, const UploadHooks& hooks);
    UploadOutcome SendLines(unsigned generation, int nPort, const std::string& bytes,
                            const UploadHooks& hooks, long long& lines);
    UploadOutcome StopForUser(unsigned generation, const UploadHooks& hooks, long long lines,
                              long long total);
    void SendPoint(const std::string& line);
    bool WaitForFlow(unsigned generation);
    void Send(const std::string& bytes);
    void TakeInput(unsigned generation);
    bool Stopped(unsigned generation) const;
    bool StoppedLocked(unsigned generation) const;  // with g_commMutex held
    void Sleep(int ms);
    void Finish(unsigned generation, const UploadHooks& hooks);
    void SetStatus(const std::string& status, const UploadHooks& hooks);

    CSerialPort& m_port;
    UploadPacing m_pacing;
    std::atomic<unsigned> m_generation{0};
    std::atomic<bool> m_quit{false};
    std::atomic<bool> m_stopRequested{false};
    std::mutex m_sleepMutex;
    std::condition_variable m_wake;
    std::thread m_thread;
};

}  // namespace vm
