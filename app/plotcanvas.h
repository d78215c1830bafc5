#pragma once

#include <QImage>
#include <QPicture>
#include <QWidget>

#include <functional>
#include <vector>

namespace lumi {

// A picture box of the plot pages: it keeps what is drawn on its picture until it is
// cleared (like a drawing surface with persistent drawing). The picture has the box's
// base size, whatever the screen: commands, reports and tests read it.
// On screen the drawing is repainted at the size the box is shown (larger when the box
// grows with a maximised window, finer at device pixel ratios above 1) from a recording
// of the same painting, keeping the picture's aspect, top-left aligned; images drawn
// into it are enlarged without smoothing, so that plot cells stay crisp.
// Overlays (marker lines) are painted over the drawing on screen only and never change
// the picture. Mouse positions are reported in picture pixels (x right, y down from the
// top-left corner).
class PlotCanvas : public QWidget {
    Q_OBJECT
public:
    // Paints in picture pixels onto a target whose rectangle is given.
    using Painting = std::function<void(QPainter& painter, const QRect& pictureRect)>;

    // A box of `boxSize` layout pixels holding a white picture of the same size.
    // It keeps that size unless setGrowable() lets it follow its page.
    explicit PlotCanvas(QSize boxSize, QWidget* parent = nullptr);

    // The box may take the room its page gives: beyond its base size, or down to
    // three fifths of it.
    void setGrowable(bool growable);
    // The box may shrink like a growable one on small screens, never grow.
    void setShrinkable();
    // A growable box as tall as its picture's aspect asks at its width, so that
    // no empty band opens under the drawing.
    void setKeepsAspect(bool keeps);

    const QImage& picture() const { return picture_; }
    // Fills the picture with `colour` (the plot's cleared state).
    void clearPicture(const QColor& colour = Qt::white);
    // Replaces the picture; it is shown scaled to the box.
    void setPicture(const QImage& picture);
    // Paints over what is drawn, on the picture and on screen.
    void paint(const Painting& painting);

    // Painted over the drawing at every repaint, in picture pixels.
    void setOverlay(Painting overlay) { overlay_ = std::move(overlay); }

    // Where the drawing is shown in the box, layout pixels.
    QRect shownRect() const;

    QSize sizeHint() const override { return boxSize_; }
    QSize minimumSizeHint() const override { return minimumSize(); }
    bool hasHeightForWidth() const override { return keepsAspect_; }
    int heightForWidth(int width) const override;

signals:
    // The pointer moved over the box (no button needed); position in picture pixels.
    void mouseMoved(QPointF picturePx);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void record(const Painting& painting);
    // The recording starts again from the picture as it now is.
    void recordPictureAsIs();
    const QImage& shownDrawing(QSize devicePixels, qreal ratio);

    QSize boxSize_;
    bool keepsAspect_ = false;
    QImage picture_;
    // Everything painted since the last clear, replayed at the shown size.
    std::vector<QPicture> layers_;
    QImage shown_; // cache of the replay at the last shown size
    bool shownCurrent_ = false;
    Painting overlay_;
};

} // namespace lumi
