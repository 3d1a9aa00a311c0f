#include "app/hints/hint_wnd.h"

#include "app/control_id.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPalette>

#include <new>

namespace vm {

namespace {

// The hint font with the given cell height (ascent plus descent), as the box's
// line pitch and width factors assume, rather than the given em size.
QFont HintFont(int cellHeight) {
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::TypeWriter);
    font.setWeight(QFont::Normal);
    font.setPixelSize(cellHeight);
    const QFontMetrics metrics(font);
    const int measured = metrics.ascent() + metrics.descent();
    if (measured > cellHeight)
        font.setPixelSize(qMax(1, cellHeight * cellHeight / measured));
    return font;
}

// Etched edge on all four sides: a sunken outer line and a raised inner line.
void DrawEtchedFrame(QPainter& painter, const QRect& r, const QColor& shadow, const QColor& light) {
    const int l = r.left(), t = r.top(), rr = r.right(), b = r.bottom();
    painter.setPen(shadow);
    painter.drawLine(l, t, rr - 1, t);
    painter.drawLine(l, t, l, b - 1);
    painter.drawLine(l + 1, b - 1, rr - 1, b - 1);
    painter.drawLine(rr - 1, t + 1, rr - 1, b - 1);
    painter.setPen(light);
    painter.drawLine(l, b, rr, b);
    painter.drawLine(rr, t, rr, b);
    painter.drawLine(l + 1, t + 1, rr - 2, t + 1);
    painter.drawLine(l + 1, t + 1, l + 1, b - 2);
}

}  // namespace

CHintBox::CHintBox(QWidget* owner) : QWidget(owner) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    hide();
}

void CHintBox::ShowItem(const CHintItem& item, const HintRect& box, int fontHeight) {
    m_item = item;
    m_nFontHeight = fontHeight;
    setGeometry(box.left, box.top, box.width(), box.height());
    raise();
    show();
    update();
}

void CHintBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), m_item.m_crBackground);
    DrawEtchedFrame(painter, rect(), palette().color(QPalette::Dark),
                    palette().color(QPalette::Light));
    painter.setFont(HintFont(m_nFontHeight));
    painter.setPen(m_item.m_crText);
    const int ascent = QFontMetrics(painter.font()).ascent();
    const HintRect origin{0, 0, width(), height()};
    for (int i = 0; i < static_cast<int>(m_item.m_lines.size()); ++i) {
        int x = 0, y = 0;
        HintLineOrigin(origin, m_nFontHeight, i, x, y);
        painter.drawText(x, y + ascent, QString::fromStdString(m_item.m_lines[i]));
    }
}

CHintWnd::~CHintWnd() = default;  // the items are owned; the box belongs to the owner

void CHintWnd::SetOwner(QWidget* owner) {
    m_pOwner = owner;
    if (!m_box || m_box->parentWidget() != owner)
        m_box = new CHintBox(owner);
}

bool CHintWnd::AddHint(int controlId, const std::vector<std::string>& lines,
                       const QColor& background, const QColor& text) {
    try {
        auto item = std::make_unique<CHintItem>();
        item->m_nControlId = controlId;
        item->m_nLineCount = static_cast<int>(lines.size());
        item->m_lines = lines;
        item->m_crBackground = background;
        item->m_crText = text;
        m_items.push_back(std::move(item));
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

void CHintWnd::RelayMouseMove(const QPoint& point) {
    QWidget* child = ChildFromPoint(point);
    if (!child)
        return;
    const int id = child == m_pOwner ? 0 : ControlId(child);
    if (id == m_nCurrentId)
        return;
    HideHint(m_nCurrentId);
    ShowHint(id);
}

void CHintWnd::RelayMouseLeave() {
    HideHint(m_nCurrentId);
    m_nCurrentId = 0;
}

const CHintItem* CHintWnd::FindHint(int controlId) {
    for (const auto& item : m_items) {
        if (item->m_nControlId == controlId) {
            m_nCurrentId = controlId;
            return item.get();
        }
    }
    m_nCurrentId = 0;
    return nullptr;
}

void CHintWnd::ShowHint(int controlId) {
    if (const CHintItem* item = FindHint(controlId))
        DrawHint(*item);
}

void CHintWnd::HideHint(int) {
    if (m_size.height == 0 || m_size.width == 0)
        return;
    if (m_box)
        m_box->hide();
    m_size.height = 0;
    m_size.width = 0;
}

void CHintWnd::DrawHint(const CHintItem& item) {
    if (item.m_lines.empty() || !m_box)
        return;
    // Sized at the normal font: a reduced box before must not leave the next
    // box too short for its text.
    m_size.fontHeight = kHintFontHeight;
    CalcHintSize(item.m_lines);
    HintRect box;
    CalcHintRect(item.m_nControlId, box);
    m_box->ShowItem(item, box, m_size.fontHeight);
}

void CHintWnd::CalcHintSize(const std::vector<std::string>& lines) {
    SizeHintBox(m_size, lines);
}

void CHintWnd::CalcHintRect(int controlId, HintRect& rect) {
    const QWidget* control = ChildById(controlId);
    if (!m_pOwner || !control)
        return;
    // The owner's whole window (frame and caption) in its own client coordinates.
    const QRect frame = m_pOwner->frameGeometry();
    const QPoint clientOrigin =
        m_pOwner->isWindow() ? m_pOwner->geometry().topLeft() : m_pOwner->pos();
    const QRect window = frame.translated(-clientOrigin);
    const HintRect owner{window.x(), window.y(), window.x() + window.width(),
                         window.y() + window.height()};
    const QRect c = control->geometry();
    rect = PlaceHintBox(m_size, owner, {c.x(), c.y(), c.x() + c.width(), c.y() + c.height()});
}

QWidget* CHintWnd::ChildFromPoint(const QPoint& point) const {
    if (!m_pOwner || !m_pOwner->rect().contains(point))
        return nullptr;
    // Topmost child first; hidden and disabled controls count, the box does not.
    const QObjectList& children = m_pOwner->children();
    for (auto it = children.rbegin(); it != children.rend(); ++it) {
        auto* widget = qobject_cast<QWidget*>(*it);
        if (!widget || widget == m_box || widget->isWindow())
            continue;
        if (widget->geometry().contains(point))
            return widget;
    }
    return m_pOwner;
}

QWidget* CHintWnd::ChildById(int controlId) const {
    if (!m_pOwner)
        return nullptr;
    for (QObject* object : m_pOwner->children()) {
        auto* widget = qobject_cast<QWidget*>(object);
        if (widget && widget != m_box && ControlId(widget) == controlId)
            return widget;
    }
    return nullptr;
}

}  // namespace vm
