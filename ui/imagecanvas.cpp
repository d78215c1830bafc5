#include "ui/imagecanvas.h"

#include "ui/picture/imageconversion.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace lumi {

namespace {

// The picture's bytes stay alive while any copy of the picture on them does.
void releaseGrid(void* info) {
    delete static_cast<std::shared_ptr<const PixelGrid>*>(info);
}

} // namespace

ImageCanvas::ImageCanvas(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(false);
    setCursor(Qt::CrossCursor);
}

double ImageCanvas::scale() const {
    const double dpr = devicePixelRatioF();
    return zoom_ / (dpr > 0.0 ? dpr : 1.0);
}

void ImageCanvas::setZoom(double zoom) {
    if (!(zoom > 0.0) || zoom == zoom_) {
        return;
    }
    zoom_ = zoom;
    resize(pictureLayoutSize());
    update();
}

void ImageCanvas::setPicture(const QImage& picture) {
    marks_.clear();
    pixels_.reset();
    reduced_.clear();
    // A decoded photo is RGB32 already: no copy is made.
    picture_ = picture.isNull() ? QImage() : picture.convertToFormat(QImage::Format_RGB32);
    if (!picture_.isNull()) {
        reduced_.build(picture_);
    }
    zoom_ = 1.0;
    resize(pictureLayoutSize());
    update();
}

void ImageCanvas::setPicture(PixelGrid picture) {
    marks_.clear();
    picture_ = QImage();
    reduced_.clear();
    pixels_.reset();
    if (picture.width() > 0 && picture.height() > 0) {
        auto grid = std::make_shared<const PixelGrid>(std::move(picture));
        reduced_.build(*grid);
        showGrid(std::move(grid));
    }
    zoom_ = 1.0;
    resize(pictureLayoutSize());
    update();
}

void ImageCanvas::showGrid(std::shared_ptr<const PixelGrid> grid) const {
    pixels_ = std::move(grid);
    const PixelGrid& g = *pixels_;
    // PixelTriple holds blue, green, red: the byte order of Format_BGR888.
    picture_ = QImage(reinterpret_cast<const uchar*>(g.data()), g.width(), g.height(),
                      static_cast<qsizetype>(g.width()) * 3, QImage::Format_BGR888, releaseGrid,
                      new std::shared_ptr<const PixelGrid>(pixels_));
}

const PixelGrid& ImageCanvas::pixels() const {
    static const PixelGrid empty;
    if (!pixels_ && !picture_.isNull()) {
        // The decoded picture gives way to the grid: one full-size copy at a time.
        showGrid(std::make_shared<const PixelGrid>(toPixelGrid(picture_)));
    }
    return pixels_ ? *pixels_ : empty;
}

QImage ImageCanvas::reducedPicture(int maxSidePx) const {
    if (picture_.isNull() || std::max(picture_.width(), picture_.height()) <= maxSidePx) {
        return picture_;
    }
    const QImage* source = &picture_;
    for (int k = 1; k <= reduced_.levelCount(); ++k) {
        const QImage& level = reduced_.level(k);
        if (std::max(level.width(), level.height()) < maxSidePx) {
            break;
        }
        source = &level;
    }
    return source->scaled(maxSidePx, maxSidePx, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

void ImageCanvas::setMarks(std::vector<Mark> marks) {
    marks_ = std::move(marks);
    update();
}

void ImageCanvas::addMark(const Mark& mark) {
    marks_.push_back(mark);
    update(MarkPainter::bounds(mark, scale()));
}

QSize ImageCanvas::pictureLayoutSize() const {
    const double s = scale();
    // A fitted picture fills its frame exactly; rounding must not make it one
    // pixel wider (and bring up a scroll bar).
    constexpr double kSlack = 1e-6;
    return QSize(static_cast<int>(std::ceil(picture_.width() * s - kSlack)),
                 static_cast<int>(std::ceil(picture_.height() * s - kSlack)));
}

QPointF ImageCanvas::toImagePixels(const QPointF& local) const {
    const double s = scale();
    return QPointF(std::floor(local.x() / s), std::floor(local.y() / s));
}

QPointF ImageCanvas::fromImagePixels(const QPointF& imagePx) const {
    const double s = scale();
    return QPointF((imagePx.x() + 0.5) * s, (imagePx.y() + 0.5) * s);
}

void ImageCanvas::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QRect exposed = event->rect();
    const double s = scale();
    const QRectF picture(0, 0, picture_.width() * s, picture_.height() * s);
    const QRectF target = picture.intersected(QRectF(exposed));
    if (!target.contains(QRectF(exposed))) {
        painter.fillRect(exposed, palette().color(QPalette::Dark));
    }
    if (picture_.isNull()) {
        return;
    }
    if (!target.isEmpty()) {
        // Only the exposed part is painted, from the smallest copy that still
        // has a pixel for every device pixel: a camera-size photo repaints
        // fast at any zoom. Reduced pictures are smoothed; enlarged ones show
        // their pixels as squares.
        const int level = reduced_.levelFor(zoom_);
        const QImage& source = level == 0 ? picture_ : reduced_.level(level);
        const double fx = source.width() / picture.width();
        const double fy = source.height() / picture.height();
        const QRectF from(target.x() * fx, target.y() * fy, target.width() * fx,
                          target.height() * fy);
        painter.setRenderHint(QPainter::SmoothPixmapTransform, zoom_ < 1.0);
        painter.drawImage(target, source, from);
    }
    MarkPainter marks(painter, s);
    for (const Mark& mark : marks_) {
        if (MarkPainter::bounds(mark, s).intersects(exposed)) {
            marks.draw(mark);
        }
    }
}

void ImageCanvas::mousePressEvent(QMouseEvent* event) {
    emit mousePressed(event->button(), event->buttons(), toImagePixels(event->position()));
}

void ImageCanvas::mouseMoveEvent(QMouseEvent* event) {
    emit mouseMoved(event->buttons(), toImagePixels(event->position()));
}

void ImageCanvas::mouseReleaseEvent(QMouseEvent* event) {
    emit mouseReleased(event->button(), toImagePixels(event->position()));
}

} // namespace lumi
