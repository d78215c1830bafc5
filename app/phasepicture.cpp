#include "app/phasepicture.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace lumi {

PhasePicture::PhasePicture(const QString& caption, QWidget* parent)
    : QWidget(parent), caption_(caption) {
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void PhasePicture::setPicture(const QImage& picture, std::vector<Mark> marks) {
    picture_ = picture;
    marks_ = std::move(marks);
    note_.clear();
    update();
}

void PhasePicture::clear(const QString& note) {
    picture_ = QImage();
    marks_.clear();
    note_ = note;
    update();
}

void PhasePicture::setMarks(std::vector<Mark> marks) {
    marks_ = std::move(marks);
    update();
}

QRectF PhasePicture::pictureRect() const {
    const double top = fontMetrics().height() + 4.0;
    const QRectF area(2.0, top, std::max(1.0, width() - 4.0), std::max(1.0, height() - top - 2.0));
    if (picture_.isNull())
        return area;
    const double scale =
        std::min(area.width() / picture_.width(), area.height() / picture_.height());
    const QSizeF size(picture_.width() * scale, picture_.height() * scale);
    return {area.center().x() - size.width() / 2.0, area.center().y() - size.height() / 2.0,
            size.width(), size.height()};
}

QPointF PhasePicture::toWidget(QPointF p) const {
    if (picture_.isNull())
        return p;
    const QRectF r = pictureRect();
    return {r.left() + (p.x() + 0.5) * r.width() / picture_.width(),
            r.top() + (p.y() + 0.5) * r.height() / picture_.height()};
}

QPointF PhasePicture::toPicture(QPointF w) const {
    if (picture_.isNull())
        return w;
    const QRectF r = pictureRect();
    return {(w.x() - r.left()) * picture_.width() / r.width() - 0.5,
            (w.y() - r.top()) * picture_.height() / r.height() - 0.5};
}

void PhasePicture::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    painter.drawText(QRectF(2.0, 0.0, width() - 4.0, fontMetrics().height() + 2.0),
                     Qt::AlignLeft | Qt::AlignVCenter, caption_);
    const QRectF r = pictureRect();
    if (picture_.isNull()) {
        painter.fillRect(r, Qt::black);
        painter.setPen(Qt::lightGray);
        painter.drawText(r.adjusted(6, 6, -6, -6), Qt::AlignCenter | Qt::TextWordWrap, note_);
        return;
    }
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(r, picture_);
    painter.setRenderHint(QPainter::Antialiasing);
    const double scale = r.width() / picture_.width();
    for (const Mark& m : marks_) {
        painter.setPen(QPen(m.color, 2.0));
        painter.setBrush(Qt::NoBrush);
        const QPointF c = toWidget(m.centrePx);
        const double rad = std::max(3.0, m.radiusPx * scale);
        painter.drawEllipse(c, rad, rad);
    }
}

void PhasePicture::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || picture_.isNull())
        return;
    const QPointF p = toPicture(event->position());
    if (p.x() < -0.5 || p.y() < -0.5 || p.x() > picture_.width() - 0.5 ||
        p.y() > picture_.height() - 0.5)
        return;
    emit clicked(p);
}

} // namespace lumi
