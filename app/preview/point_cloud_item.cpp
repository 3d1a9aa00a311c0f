#include "app/preview/point_cloud_item.h"

#include "app/main_window/pane_codec.h"
#include "export/label_grid.h"
#include "export/point_view_frame.h"

#include <QFontMetrics>
#include <QPainter>
#include <QStyleOptionGraphicsItem>

#include <algorithm>
#include <vector>

namespace vm {
namespace {

constexpr double kMarkPx = 4;     // side of a point's mark
constexpr double kStationPx = 7;  // half side of a station's triangle
const QColor kPointColor(0, 0, 200);
const QColor kStationColor(220, 0, 0);
const QColor kSelectedColor(0, 170, 0);

// Names come from the instrument as GBK, or as UTF-8 from files made elsewhere.
QString LabelText(const std::string& bytes) {
    return DecodePaneBytes(bytes, DetectPaneEncoding(bytes));
}

}  // namespace

CPointCloudItem::CPointCloudItem(const PointSet& set) : m_set(set), m_grid(set.points) {
    setFlag(ItemUsesExtendedStyleOption);
    // Panning moves the picture drawn already and draws only the strip that
    // comes into sight, so a drag stays smooth with 100,000 points in view.
    setCacheMode(DeviceCoordinateCache);
    const PointExtent& e = set.extent;
    if (!e.empty) {
        m_east0 = e.minEast;
        m_north0 = e.minNorth;
    }
    // A margin around the points keeps the outer ones clear of the window's edges
    // and of the scale bar.
    const PointArea area = PreviewArea(e);
    m_bounds = QRectF(area.minEast - m_east0, m_north0 - area.minNorth - area.height, area.width,
                      area.height);
}

QRectF CPointCloudItem::boundingRect() const {
    return m_bounds;
}

QPointF CPointCloudItem::ScenePos(const PreviewPoint& p) const {
    return QPointF(p.east - m_east0, -(p.north - m_north0));
}

long long CPointCloudItem::PointAt(QPointF scenePos, double radius) const {
    return m_grid.Nearest(scenePos.x() + m_east0, m_north0 - scenePos.y(), radius);
}

void CPointCloudItem::SetShowNames(bool on) {
    m_showNames = on;
    update();
}

void CPointCloudItem::SetShowCodes(bool on) {
    m_showCodes = on;
    update();
}

void CPointCloudItem::SetSelected(long long index) {
    m_selected = index;
    update();
}

void CPointCloudItem::paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget*) {
    const QRectF exposed = option->exposedRect;
    std::vector<size_t> visible;
    m_grid.ForEachIn(exposed.left() + m_east0, m_north0 - exposed.bottom(),
                     exposed.right() + m_east0, m_north0 - exposed.top(),
                     [&](size_t i) { visible.push_back(i); });
    const QTransform toDevice = painter->worldTransform();
    painter->save();
    painter->resetTransform();
    painter->setRenderHint(QPainter::Antialiasing, false);

    std::vector<QRectF> marks;
    marks.reserve(visible.size());
    for (size_t i : visible) {
        const PreviewPoint& p = m_set.points[i];
        if (p.station)
            continue;
        const QPointF d = toDevice.map(ScenePos(p));
        marks.emplace_back(d.x() - kMarkPx / 2, d.y() - kMarkPx / 2, kMarkPx, kMarkPx);
    }
    painter->setPen(Qt::NoPen);
    painter->setBrush(kPointColor);
    painter->drawRects(marks.data(), int(marks.size()));

    painter->setBrush(kStationColor);
    for (size_t i : visible) {
        const PreviewPoint& p = m_set.points[i];
        if (!p.station)
            continue;
        const QPointF d = toDevice.map(ScenePos(p));
        const QPointF triangle[3] = {d + QPointF(0, -kStationPx),
                                     d + QPointF(kStationPx, kStationPx),
                                     d + QPointF(-kStationPx, kStationPx)};
        painter->drawPolygon(triangle, 3);
    }

    if (m_selected >= 0 && size_t(m_selected) < m_set.points.size()) {
        const QPointF d = toDevice.map(ScenePos(m_set.points[size_t(m_selected)]));
        painter->setBrush(Qt::NoBrush);
        painter->setPen(QPen(kSelectedColor, 2));
        painter->drawEllipse(d, 8, 8);
    }

    if ((m_showNames || m_showCodes) && visible.size() <= kMaxLabels)
        DrawLabels(*painter, toDevice, visible);
    painter->restore();
}

// Labels right of their points; one that would overlap a label already drawn
// is left out, so crowded points stay readable (zooming in shows the rest).
void CPointCloudItem::DrawLabels(QPainter& painter, const QTransform& toDevice,
                                 const std::vector<size_t>& visible) const {
    const QRect device = painter.viewport();
    LabelGrid grid(device.width(), device.height());
    const QFontMetrics metrics(painter.font());
    painter.setPen(Qt::black);
    for (size_t i : LabelOrder(m_selected, m_set.points.size(), visible)) {
        const PreviewPoint& p = m_set.points[i];
        QString label;
        if (m_showNames)
            label = LabelText(p.name);
        if (m_showCodes && !p.code.empty())
            label += (label.isEmpty() ? QString() : QStringLiteral(" ")) + LabelText(p.code);
        if (label.isEmpty())
            continue;
        const QPointF at = toDevice.map(ScenePos(p)) + QPointF(5, -4);
        const QRect box = metrics.boundingRect(label).translated(at.toPoint());
        if (!grid.Take(box.left(), box.top(), box.right(), box.bottom()))
            continue;
        painter.drawText(at, label);
    }
}

}  // namespace vm
