#include "app/dialog_renderer/qt_hint_relay.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

#include "app/hints/hint_wnd.h"

namespace vm {

QtHintRelay::QtHintRelay(QWidget* dialog, CHintWnd& hints)
    : QObject(dialog), m_dialog(dialog), m_hints(hints) {
    for (QWidget* child : dialog->findChildren<QWidget*>())
        child->setMouseTracking(true);
    dialog->setMouseTracking(true);
    qApp->installEventFilter(this);
}

QtHintRelay::~QtHintRelay() {
    qApp->removeEventFilter(this);
}

bool QtHintRelay::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseMove) {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget && (widget == m_dialog || m_dialog->isAncestorOf(widget))) {
            const auto* move = static_cast<QMouseEvent*>(event);
            m_hints.RelayMouseMove(m_dialog->mapFromGlobal(move->globalPosition().toPoint()));
        }
    } else if (watched == m_dialog &&
               (event->type() == QEvent::Leave || event->type() == QEvent::WindowDeactivate ||
                event->type() == QEvent::Hide)) {
        m_hints.RelayMouseLeave();
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace vm
