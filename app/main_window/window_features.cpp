#include "app/main_window/window_features.h"

#include "app/control_id.h"
#include "app/desktop.h"
#include "app/main_window/main_dlg.h"
#include "app/main_window/recent_files.h"
#include "app/main_window/transfer_progress.h"
#include "app/main_window/window_frame.h"
#include "common/user_paths.h"

#include <QAction>
#include <QDropEvent>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QUrl>

namespace vm {
namespace {

// The first local file among the drop's URLs, or "".
std::string DroppedFile(const QMimeData* mime) {
    if (!mime || !mime->hasUrls())
        return std::string();
    for (const QUrl& url : mime->urls()) {
        if (url.isLocalFile())
            return PathBytes(url.toLocalFile());
    }
    return std::string();
}

}  // namespace

CPaneDrop::CPaneDrop(CMainDlg& dlg) : QObject(&dlg), m_dlg(dlg) {
    dlg.m_editText->setAcceptDrops(true);
    dlg.m_editText->viewport()->setAcceptDrops(true);
    dlg.m_editText->viewport()->installEventFilter(this);
}

bool CPaneDrop::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove: {
            auto* drag = static_cast<QDropEvent*>(event);
            if (DroppedFile(drag->mimeData()).empty())
                break;  // text is dropped into the pane as usual
            drag->acceptProposedAction();
            return true;
        }
        case QEvent::Drop: {
            auto* drop = static_cast<QDropEvent*>(event);
            const std::string path = DroppedFile(drop->mimeData());
            if (path.empty())
                break;
            drop->acceptProposedAction();
            m_dlg.OpenPaneFile(path);
            return true;
        }
        default:
            break;
    }
    return QObject::eventFilter(watched, event);
}

void AttachWindowFeatures(CMainDlg& dlg) {
    auto* frame = new CWindowFrame(dlg);
    CTransferProgress::Of(dlg);
    new CRecentFiles(dlg);
    new CPaneDrop(dlg);
    frame->Restore(UserIniPath());
}

}  // namespace vm
