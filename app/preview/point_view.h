#pragma once
// The preview's drawing area: wheel zooms about the mouse, dragging pans, a
// click picks the nearest point, and a scale bar stays in the lower left.

#include <QGraphicsView>

#include <string>

namespace vm {

class CPointCloudItem;

class CPointView : public QGraphicsView {
    Q_OBJECT
public:
    explicit CPointView(QWidget* parent = nullptr);

    void SetItem(CPointCloudItem* item);
    // Shows every point; the view keeps showing them all as the window is
    // sized (its first showing included) until the user zooms or pans.
    void FitAll();
    // One wheel notch in (steps > 0) or out, about viewport point at.
    void Zoom(int steps, QPoint at);
    // Scene units per screen pixel.
    double UnitsPerPixel() const;
    // The scale bar's length in scene units for the current zoom (1, 2 or 5 × 10^k).
    double ScaleBarLength() const;

signals:
    void pointPicked(long long index);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void drawForeground(QPainter* painter, const QRectF& rect) override;

private:
    CPointCloudItem* m_item = nullptr;
    QPoint m_pressPos;
    bool m_keepFitted = true;
};

}  // namespace vm
