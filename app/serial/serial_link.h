#pragma once
// What the main window keeps for its serial transfers: the tick's state, the
// upload worker, and the bridge that lets the worker ask the window's thread
// for its file and its message boxes. It lives as a child of the window, so it
// ends with it (a running worker is stopped first).

#include <QObject>

#include <atomic>
#include <memory>
#include <string>

#include "serial/comm_tick.h"
#include "serial/upload_worker.h"

namespace vm {

class CMainDlg;

class CSerialLink : public QObject {
    Q_OBJECT
public:
    explicit CSerialLink(CMainDlg& dlg);
    ~CSerialLink() override;

    // The window's link, created on first use.
    static CSerialLink& Of(CMainDlg& dlg);

    CCommTicker& Ticker() { return m_ticker; }
    CUploadWorker& Worker() { return *m_worker; }

    // A new transfer begins: what an earlier upload posts back is ignored.
    unsigned NewTransfer() { return ++m_transfer; }
    // Hooks for the upload worker of transfer id.
    UploadHooks HooksFor(unsigned id);

private:
    bool ChooseFile(std::string& path);
    void ShowMessage(const std::string& text);
    void UploadFinished(unsigned id);

    CMainDlg& m_dlg;
    CCommTicker m_ticker;
    std::unique_ptr<CUploadWorker> m_worker;
    unsigned m_transfer = 0;
    std::atomic<bool> m_closing{false};
};

}  // namespace vm
