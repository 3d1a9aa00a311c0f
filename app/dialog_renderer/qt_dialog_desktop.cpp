// What a dialog asks of the desktop, its timers, its work off the window's
// thread, the dialogs it opens and its end.
#include "app/dialog_renderer/qt_dialog_host.h"

#include <QThread>
#include <QTimer>

#include "app/desktop.h"
#include "app/preview/point_preview_dlg.h"

#include <algorithm>

namespace vm {

void QtDialogHost::SetBusy(bool busy) {
    if (busy)
        setCursor(Qt::BusyCursor);
    else
        unsetCursor();
}

MsgResult QtDialogHost::MessageBox(const std::string& text, const std::string& caption,
                                   MsgButtons buttons, MsgIcon icon) {
    return desktop().MessageBox(this, text, caption, buttons, icon);
}

std::optional<std::string> QtDialogHost::AskOpenFile(const FileDialogRequest& request) {
    return desktop().GetOpenFileName(this, request);
}

std::optional<std::string> QtDialogHost::AskSaveFile(const FileDialogRequest& request) {
    return desktop().GetSaveFileName(this, request);
}

bool QtDialogHost::ViewFile(const std::string& path) {
    return desktop().OpenWithViewer(this, path);
}

void QtDialogHost::PreviewPoints(const std::string& path, PointFileKind kind,
                                 const LayoutColumns& layout) {
    OpenPointPreview(this, std::string(), std::string())->ShowFile(path, kind, layout);
}

void QtDialogHost::StartTimer(int timerId, int intervalMs) {
    QTimer*& timer = m_timers[timerId];
    if (!timer) {
        timer = new QTimer(this);
        connect(timer, &QTimer::timeout, this,
                [this, timerId] { Forward([&] { m_dialog.OnTimer(*this, timerId); }); });
    }
    timer->start(intervalMs);
}

void QtDialogHost::StopTimer(int timerId) {
    const auto it = m_timers.find(timerId);
    if (it != m_timers.end())
        it->second->stop();
}

void QtDialogHost::RunInBackground(std::function<void()> work, std::function<void()> done) {
    QThread* thread = QThread::create(std::move(work));
    thread->setParent(this);
    m_threads.push_back(thread);
    // Queued to the window's thread: done runs where the dialog lives.
    connect(thread, &QThread::finished, this, [this, thread, done = std::move(done)] {
        thread->wait();
        m_threads.erase(std::remove(m_threads.begin(), m_threads.end(), thread), m_threads.end());
        thread->deleteLater();
        if (!m_closing)
            done();
    });
    thread->start();
}

int QtDialogHost::RunModal(Dialog& child) {
    QtDialogHost window(child, this);
    return window.Run();
}

}  // namespace vm
