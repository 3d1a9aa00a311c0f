#pragma once
// One graphics item that draws every point of a set: only the points in sight
// (found through the grid), as fixed-size marks in screen pixels, with names
// (and codes) once few enough points are in sight to read them.
//
// Scene coordinates: x = east − origin east, y = −(north − origin north), so
// east runs right and north up, and large grid coordinates keep their
// millimetres in the painter's arithmetic.

#include "export/point_grid.h"
#include "export/point_set.h"

#include <QGraphicsItem>
#include <QPointF>
#include <QTransform>

#include <vector>

namespace vm {

class CPointCloudItem : public QGraphicsItem {
public:
    explicit CPointCloudItem(const PointSet& set);

    QRectF boundingRect() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

    QPointF ScenePos(const PreviewPoint& p) const;
    // The index of the point within radius (scene units) of scenePos, or -1.
    long long PointAt(QPointF scenePos, double radius) const;

    void SetShowNames(bool on);
    void SetShowCodes(bool on);
    void SetSelected(long long index);
    long long Selected() const { return m_selected; }

    // Above this many points in sight, labels are left out.
    static constexpr size_t kMaxLabels = 1500;

private:
    void DrawLabels(QPainter& painter, const QTransform& toDevice,
                    const std::vector<size_t>& visible) const;

    const PointSet& m_set;
    PointGrid m_grid;
    double m_east0 = 0, m_north0 = 0;
    QRectF m_bounds;
    bool m_showNames = true;
    bool m_showCodes = false;
    long long m_selected = -1;
};

}  // namespace vm
