#include "app/preview/point_view.h"

#include "app/preview/point_cloud_item.h"
#include "export/point_view_frame.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace vm {
namespace {

constexpr int kClickSlopPx = 4;  // a press and release closer than this is a click
// Room to pan beyond the points, in multiples of their extent on each side.
constexpr double kSceneMargin = 50;
constexpr double kMaxScrollRange = 1e9;

}  // namespace

CPointView::CPointView(QWidget* parent) : QGraphicsView(parent) {
    setDragMode(ScrollHandDrag);
    // Dragging pans; the scroll bars of the wide pan range would only mislead.
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setTransformationAnchor(NoAnchor);
    // The scale bar stands still while the points move: every frame is drawn
    // whole (the points come from the item's cache), never scrolled in place.
    setViewportUpdateMode(FullViewportUpdate);
    setRenderHint(QPainter::TextAntialiasing);
    setBackgroundBrush(Qt::white);
}

void CPointView::SetItem(CPointCloudItem* item) {
    m_item = item;
    FitAll();
}

void CPointView::FitAll() {
    m_keepFitted = true;
    if (!m_item)
        return;
    const QRectF bounds = m_item->boundingRect();
    scene()->setSceneRect(
        bounds.adjusted(-bounds.width() * kSceneMargin, -bounds.height() * kSceneMargin,
                        bounds.width() * kSceneMargin, bounds.height() * kSceneMargin));
    fitInView(bounds, Qt::KeepAspectRatio);
}

// The scene point under at stays under at. The zoom is bounded: out until
// the points fill a few pixels, in until a pixel is a hundredth of a
// millimetre or the scroll range would outgrow the scroll bars.
void CPointView::Zoom(int steps, QPoint at) {
    if (!m_item)
        return;
    m_keepFitted = false;
    const QRectF bounds = m_item->boundingRect();
    const double size = std::max(bounds.width(), bounds.height());
    const double now = transform().m11();
    const double most = std::min(1e5, kMaxScrollRange / (size * kSceneMargin * 2 + size));
    const double wanted = ZoomedScale(now, steps, size, most);
    const QPointF before = mapToScene(at);
    scale(wanted / now, wanted / now);
    const QPoint moved = mapFromScene(before) - at;
    horizontalScrollBar()->setValue(horizontalScrollBar()->value() + moved.x());
    verticalScrollBar()->setValue(verticalScrollBar()->value() + moved.y());
}

double CPointView::UnitsPerPixel() const {
    const double m = transform().m11();
    return m > 0 ? 1.0 / m : 0;
}

double CPointView::ScaleBarLength() const {
    const double units = UnitsPerPixel();
    return units > 0 ? vm::ScaleBarLength(1 / units) : 0;
}

void CPointView::resizeEvent(QResizeEvent* event) {
    QGraphicsView::resizeEvent(event);
    if (m_keepFitted)
        FitAll();
}

void CPointView::wheelEvent(QWheelEvent* event) {
    const int steps = event->angleDelta().y() / 120;
    if (steps != 0)
        Zoom(steps, event->position().toPoint());
    event->accept();
}

void CPointView::mousePressEvent(QMouseEvent* event) {
    m_pressPos = event->position().toPoint();
    m_keepFitted = false;  // a drag pans away from the fitted view
    QGraphicsView::mousePressEvent(event);
}

void CPointView::mouseReleaseEvent(QMouseEvent* event) {
    QGraphicsView::mouseReleaseEvent(event);
    const QPoint pos = event->position().toPoint();
    if (!m_item || event->button() != Qt::LeftButton ||
        (pos - m_pressPos).manhattanLength() > kClickSlopPx)
        return;
    const long long index = m_item->PointAt(mapToScene(pos), kPickRadiusPx * UnitsPerPixel());
    m_item->SetSelected(index);
    emit pointPicked(index);
}

void CPointView::drawForeground(QPainter* painter, const QRectF&) {
    const double length = ScaleBarLength();
    if (length <= 0)
        return;
    const int px = int(std::lround(length / UnitsPerPixel()));
    painter->save();
    painter->resetTransform();
    const int x = 12, y = viewport()->height() - 14;
    painter->setPen(QPen(Qt::black, 2));
    painter->drawLine(x, y, x + px, y);
    painter->drawLine(x, y - 5, x, y + 3);
    painter->drawLine(x + px, y - 5, x + px, y + 3);
    painter->drawText(QPointF(x, y - 7), QString::fromStdString(ScaleBarCaption(length)));
    painter->restore();
}

}  // namespace vm
