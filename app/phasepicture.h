#pragma once

#include <QColor>
#include <QImage>
#include <QPointF>
#include <QString>
#include <QWidget>
#include <vector>

namespace lumi {

// One picture of a phase analysis (a spectrum, a phase or modulation map, a
// frame) under its caption, scaled to the widget with its aspect kept and
// circles drawn over it. A left click on the picture reports the picture
// position clicked (picture pixels, x right, y down), so a window can pick a
// lobe or construct a circle from it.
class PhasePicture : public QWidget {
    Q_OBJECT
public:
    // A circle over the picture, centre and radius in picture pixels.
    struct Mark {
        QPointF centrePx;
        double radiusPx = 0.0;
        QColor color;
    };

    explicit PhasePicture(const QString& caption, QWidget* parent = nullptr);

    // The picture shown (any size) and its circles; a null picture shows `note`.
    void setPicture(const QImage& picture, std::vector<Mark> marks = {});
    // No picture: the caption and `note` (why there is none yet).
    void clear(const QString& note = QString());
    void setMarks(std::vector<Mark> marks);

    const QImage& picture() const { return picture_; }
    const std::vector<Mark>& marks() const { return marks_; }
    QString caption() const { return caption_; }
    // Widget position of a picture position, and the reverse (the picture's
    // placement in the widget; no picture: the identity).
    QPointF toWidget(QPointF picturePx) const;
    QPointF toPicture(QPointF widgetPos) const;

    QSize sizeHint() const override { return {280, 240}; }
    QSize minimumSizeHint() const override { return {120, 110}; }

signals:
    // A left click on the picture at picture position `picturePx`.
    void clicked(QPointF picturePx);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    // Where the picture is drawn in the widget.
    QRectF pictureRect() const;

    QString caption_;
    QString note_;
    QImage picture_;
    std::vector<Mark> marks_;
};

} // namespace lumi
