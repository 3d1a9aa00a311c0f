#include "app/serial/serial_link.h"

#include <chrono>
#include <future>

#include "app/desktop.h"
#include "app/main_window/main_dlg.h"
#include "app/main_window/pane_guard.h"
#include "app/main_window/transfer_progress.h"
#include "serial/comm_state.h"
#include "serial/serial_port.h"

namespace vm {
CSerialLink::CSerialLink(CMainDlg& dlg)
    : QObject(&dlg), m_dlg(dlg), m_worker(std::make_unique<CUploadWorker>(g_serialPort)) {
    setObjectName(QStringLiteral("serialLink"));
}

CSerialLink::~CSerialLink() {
    m_closing = true;
    m_worker.reset();  // stops a running worker and waits for it
}

CSerialLink& CSerialLink::Of(CMainDlg& dlg) {
    CSerialLink* link =
        dlg.findChild<CSerialLink*>(QStringLiteral("serialLink"), Qt::FindDirectChildrenOnly);
    return link ? *link : *new CSerialLink(dlg);
}

UploadHooks CSerialLink::HooksFor(unsigned id) {
    UploadHooks hooks;
    hooks.chooseFile = [this](std::string& path) { return ChooseFile(path); };
    hooks.showMessage = [this](const std::string& text) { ShowMessage(text); };
    hooks.finished = [this, id] {
        QMetaObject::invokeMethod(
            this, [this, id] { UploadFinished(id); }, Qt::QueuedConnection);
    };
    return hooks;
}

// Runs on the worker's thread: the dialog is shown by the window's thread,
// and the worker waits for the answer unless the window is closing meanwhile.
bool CSerialLink::ChooseFile(std::string& path) {
    auto answer = std::make_shared<std::promise<std::optional<std::string>>>();
    std::future<std::optional<std::string>> chosen = answer->get_future();
    QMetaObject::invokeMethod(
        this,
        [answer] { answer->set_value(desktop().GetOpenFileName(nullptr, TextDataFileRequest())); },
        Qt::QueuedConnection);
    while (chosen.wait_for(std::chrono::milliseconds(50)) != std::future_status::ready) {
        if (m_closing)
            return false;
    }
    const std::optional<std::string> result = chosen.get();
    if (!result)
        return false;
    path = *result;
    return true;
}

void CSerialLink::ShowMessage(const std::string& text) {
    QMetaObject::invokeMethod(
        this, [this, text] { desktop().MessageBox(&m_dlg, text); }, Qt::QueuedConnection);
}

// The worker has closed the port: stop the tick and show its last status,
// unless a newer transfer or a command that stopped the tick (New, Open, ...)
// has taken the window over since.
void CSerialLink::UploadFinished(unsigned id) {
    if (id != m_transfer || GetCommMode() != COMM_SEND || !m_dlg.IsCommTimerActive())
        return;
    m_dlg.StopCommTimer();
    const UploadTexts texts = GetUploadTexts();
    m_dlg.m_strText = texts.log;
    m_dlg.m_strStatus = texts.status;
    m_dlg.UpdateData(false);
    NotePaneKeptAsBefore(m_dlg);
    CTransferProgress::Of(m_dlg).ShowUploadProgress();
}

}  // namespace vm
