#pragma once

#include <QImage>
#include <QWidget>

#include <functional>

namespace lumi {

// A picture box of the plot pages: it keeps what is drawn on its picture until it is
// cleared (like a drawing surface with persistent drawing) and shows it scaled to the
// box without smoothing, so that plot cells stay crisp. Overlays (marker lines) are
// painted over the picture on screen only and never change it. Mouse positions are
// reported in picture pixels (x right, y down from the top-left corner).
class PlotCanvas : public QWidget {
    Q_OBJECT
public:
    // A box of `boxSize` layout pixels holding a white picture of the same size.
    explicit PlotCanvas(QSize boxSize, QWidget* parent = nullptr);

    // The picture; draw on it, then call update().
    QImage& picture() { return picture_; }
    const QImage& picture() const { return picture_; }
    // Fills the picture with `colour` (the plot's cleared state).
    void clearPicture(const QColor& colour = Qt::white);
    // Replaces the picture; it is shown scaled to the box.
    void setPicture(const QImage& picture);

    // Painted over the picture at every repaint, in picture pixels.
    using Overlay = std::function<void(QPainter& painter, const QRect& pictureRect)>;
    void setOverlay(Overlay overlay) { overlay_ = std::move(overlay); }

    QSize sizeHint() const override { return boxSize_; }
    QSize minimumSizeHint() const override { return boxSize_; }

signals:
    // The pointer moved over the box (no button needed); position in picture pixels.
    void mouseMoved(QPointF picturePx);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    QSize boxSize_;
    QImage picture_;
    Overlay overlay_;
};

} // namespace lumi
