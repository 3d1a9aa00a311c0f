#pragma once
// What the main window shows while a transfer runs, beside what the serial
// core reports: during a download the bytes and bytes per second after the
// line count, and the pane following its end unless the user scrolled up;
// during an upload a progress bar and a 停止 button in the status row.

#include "serial/transfer_rate.h"

#include <QElapsedTimer>
#include <QObject>

#include <string>

class QPlainTextEdit;
class QProgressBar;
class QPushButton;

namespace vm {

class CMainDlg;
struct TickResult;

class CTransferProgress : public QObject {
    Q_OBJECT
public:
    static constexpr int kStopId = 2130;
    static constexpr int kBarId = 2131;
    static constexpr const char* kStoppingStatus = kUploadStoppingStatus;

    explicit CTransferProgress(CMainDlg& dlg);
    static CTransferProgress& Of(CMainDlg& dlg);

    void DownloadStarted();
    // The status line for a tick: a download's line count gets the bytes and
    // the rate after it; anything else stays as the core gave it.
    std::string StatusAfterTick(const TickResult& tick);
    // Shows the upload's bar and 停止 while an upload runs, hides them otherwise.
    void ShowUploadProgress();
    // 停止: the upload ends after the line it is sending, without EOT.
    void OnStop();

private:
    CMainDlg& m_dlg;
    CTransferRate m_rate;
    QElapsedTimer m_clock;
    QProgressBar* m_bar = nullptr;
    QPushButton* m_stop = nullptr;
};

// Keeps the pane where the user left it across a refresh of its text: at the
// end when it was at the end (so new lines come into sight), else at the
// same line.
class CPaneFollow {
public:
    explicit CPaneFollow(QPlainTextEdit* pane);
    void Restore() const;

private:
    QPlainTextEdit* m_pane;
    int m_value = 0;
    bool m_atEnd = true;
};

}  // namespace vm
