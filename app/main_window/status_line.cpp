#include "app/main_window/status_line.h"

#include <QFontMetrics>
#include <QPainter>
#include <QStyleOptionFrame>

namespace vm {
namespace {

constexpr int kTextInset = 2;  // as the line edit itself sets its text in

}  // namespace

QString ElidedStatus(const QString& text, const QFontMetrics& metrics, int width) {
    if (metrics.horizontalAdvance(text) <= width)
        return text;
    const qsizetype pathAt = text.indexOf(QStringLiteral("：/"));
    if (pathAt >= 0) {
        const QString head = text.left(pathAt + 1);
        const int room = width - metrics.horizontalAdvance(head);
        if (room > metrics.horizontalAdvance(QStringLiteral("/…/")) * 3)
            return head + metrics.elidedText(text.mid(pathAt + 1), Qt::ElideMiddle, room);
    }
    return metrics.elidedText(text, Qt::ElideMiddle, width);
}

CStatusLine::CStatusLine(QWidget* parent) : QLineEdit(parent) {
    connect(this, &QLineEdit::textChanged, this, &CStatusLine::ShowWholeAsTip);
}

void CStatusLine::ShowWholeAsTip() {
    setToolTip(ShownText() == text() ? QString() : text());
    update();
}

void CStatusLine::resizeEvent(QResizeEvent* event) {
    QLineEdit::resizeEvent(event);
    ShowWholeAsTip();
}

int CStatusLine::TextRoom() const {
    return std::max(0, contentsRect().width() - 2 * kTextInset);
}

QString CStatusLine::ShownText() const {
    return ElidedStatus(text(), fontMetrics(), TextRoom());
}

void CStatusLine::paintEvent(QPaintEvent* event) {
    const QString shown = ShownText();
    if (shown == text()) {
        QLineEdit::paintEvent(event);
        return;
    }
    QPainter painter(this);
    QStyleOptionFrame option;
    initStyleOption(&option);
    style()->drawPrimitive(QStyle::PE_PanelLineEdit, &option, &painter, this);
    painter.setPen(palette().color(QPalette::Text));
    painter.drawText(contentsRect().adjusted(kTextInset, 0, -kTextInset, 0),
                     Qt::AlignVCenter | Qt::AlignLeft, shown);
}

}  // namespace vm
