#include "ui/interferogramview.h"

#include "ui/imagecanvas.h"
#include "ui/zoomlevels.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>
#include <algorithm>
#include <cmath>

#include <QScrollBar>
#include <QStyle>
#include <QWheelEvent>

namespace lumi {

InterferogramView::InterferogramView(QWidget* parent)
    : QWidget(parent), zoomRow_(new QWidget(this)), zoomText_(new QLabel(zoomRow_)),
      zoomIn_(new QAction(QStringLiteral("+"), this)),
      zoomOut_(new QAction(QStringLiteral("\u2212"), this)),
      fit_(new QAction(QStringLiteral("Fit"), this)),
      actualSize_(new QAction(QStringLiteral("1:1"), this)), frame_(new QWidget(this)),
      canvas_(new ImageCanvas(frame_)), hbar_(new QScrollBar(Qt::Horizontal, this)),
      vbar_(new QScrollBar(Qt::Vertical, this)) {
    frame_->setObjectName("picOuter");
    canvas_->setObjectName("picInner");
    hbar_->setObjectName("HBar");
    vbar_->setObjectName("Vbar");
    frame_->setAutoFillBackground(true);
    QPalette pal = frame_->palette();
    pal.setColor(QPalette::Window, QColor(48, 48, 52));
    frame_->setPalette(pal);
    canvas_->move(0, 0);
    canvas_->resize(0, 0);
    hbar_->hide();
    vbar_->hide();
    // Both dragging and stepping move the picture.
    connect(hbar_, &QScrollBar::valueChanged, this,
            [this](int v) { canvas_->move(-v, canvas_->y()); });
    connect(vbar_, &QScrollBar::valueChanged, this,
            [this](int v) { canvas_->move(canvas_->x(), -v); });

    zoomRow_->setObjectName("ZoomRow");
    zoomText_->setObjectName("ZoomText");
    auto* row = new QHBoxLayout(zoomRow_);
    row->setContentsMargins(0, 0, 0, 2);
    row->setSpacing(2);
    const struct {
        QAction* action;
        const char* name;
        const char* tip;
        QList<QKeySequence> keys;
    } actions[] = {
        {fit_, "ZoomFit", "Fit the picture to the window (Ctrl+9)", {QKeySequence("Ctrl+9")}},
        {actualSize_,
         "ZoomActualSize",
         "One picture pixel per screen pixel (Ctrl+0)",
         {QKeySequence("Ctrl+0")}},
        {zoomOut_, "ZoomOut", "Zoom out (Ctrl+-)", {QKeySequence::ZoomOut, QKeySequence("Ctrl+-")}},
        {zoomIn_,
         "ZoomIn",
         "Zoom in (Ctrl++)",
         {QKeySequence::ZoomIn, QKeySequence("Ctrl++"), QKeySequence("Ctrl+=")}},
    };
    for (const auto& a : actions) {
        a.action->setObjectName(a.name);
        a.action->setToolTip(QString::fromLatin1(a.tip));
        // The standard zoom keys may already hold Ctrl++ or Ctrl+-; a key
        // listed twice would be ambiguous and do nothing.
        QList<QKeySequence> keys;
        for (const QKeySequence& k : a.keys) {
            if (!k.isEmpty() && !keys.contains(k)) {
                keys << k;
            }
        }
        a.action->setShortcuts(keys);
        // Active while the view is visible in the window, wherever the focus is.
        a.action->setShortcutContext(Qt::WindowShortcut);
        addAction(a.action);
        auto* button = new QToolButton(zoomRow_);
        button->setDefaultAction(a.action);
        button->setAutoRaise(true);
        row->addWidget(button);
    }
    row->addWidget(zoomText_);
    row->addStretch(1);
    connect(fit_, &QAction::triggered, this, &InterferogramView::zoomToFit);
    connect(actualSize_, &QAction::triggered, this, &InterferogramView::zoomActualSize);
    connect(zoomIn_, &QAction::triggered, this, &InterferogramView::zoomIn);
    connect(zoomOut_, &QAction::triggered, this, &InterferogramView::zoomOut);
    showZoomText();
}

int InterferogramView::zoomRowHeight() const {
    return zoomRow_->sizeHint().height();
}

void InterferogramView::showZoomText() {
    const double percent = canvas_->zoom() * 100.0;
    zoomText_->setText(QString::number(static_cast<int>(std::lround(percent))) +
                       QStringLiteral(" %"));
}

double InterferogramView::zoom() const {
    return canvas_->zoom();
}

void InterferogramView::setZoom(double zoom, std::optional<QPointF> anchor) {
    if (!canvas_->hasPicture()) {
        return;
    }
    const QImage& picture = canvas_->cleanPicture();
    const double dpr = devicePixelRatioF() > 0 ? devicePixelRatioF() : 1.0;
    zoom = std::clamp(zoom, kMinZoom, largestZoomFor(picture.width(), picture.height(), dpr));
    // The anchor in frame coordinates, and the image point (fractional) under it.
    const QPointF inFrame =
        anchor ? frame_->mapFrom(this, *anchor)
               : QPointF(layout_.viewportWidth / 2.0, layout_.viewportHeight / 2.0);
    const double before = canvas_->zoom() / dpr; // layout pixels per image pixel
    const QPointF imagePoint = (inFrame - QPointF(canvas_->pos())) / before;
    canvas_->setZoom(zoom);
    arrangeControls();
    const double after = zoom / dpr;
    hbar_->setValue(static_cast<int>(std::lround(imagePoint.x() * after - inFrame.x())));
    vbar_->setValue(static_cast<int>(std::lround(imagePoint.y() * after - inFrame.y())));
    showZoomText();
    emit zoomChanged(zoom);
}

void InterferogramView::zoomIn() {
    setZoom(zoomInStep(zoom()));
}

void InterferogramView::zoomOut() {
    setZoom(zoomOutStep(zoom()));
}

void InterferogramView::zoomToFit() {
    if (!canvas_->hasPicture()) {
        return;
    }
    const QImage& picture = canvas_->cleanPicture();
    setZoom(fitZoom(width(), height() - zoomRowHeight(), picture.width(), picture.height(),
                    devicePixelRatioF()));
}

void InterferogramView::zoomActualSize() {
    setZoom(1.0);
}

void InterferogramView::showNewPicture() {
    arrangeControls();
    if (!canvas_->hasPicture()) {
        showZoomText();
        return;
    }
    const QSize picture = canvas_->pictureLayoutSize();
    if (picture.width() > width() || picture.height() > height() - zoomRowHeight()) {
        zoomToFit();
    }
    showZoomText();
}

void InterferogramView::resizeEvent(QResizeEvent*) {
    arrangeControls();
}

void InterferogramView::wheelEvent(QWheelEvent* event) {
    if (event->modifiers() & Qt::ControlModifier) {
        const int dy = event->angleDelta().y();
        if (dy != 0 && canvas_->hasPicture()) {
            setZoom(dy > 0 ? zoomInStep(zoom()) : zoomOutStep(zoom()), event->position());
        }
        event->accept();
        return;
    }
    const bool horizontal = (event->modifiers() & Qt::ShiftModifier) || !layout_.verticalBar;
    QScrollBar* bar = horizontal ? hbar_ : vbar_;
    const QPoint delta = event->angleDelta();
    const int steps = (delta.y() != 0 ? delta.y() : delta.x()) / 120;
    if (bar->isHidden() || steps == 0) {
        event->ignore();
        return;
    }
    bar->setValue(bar->value() - steps * bar->singleStep());
    event->accept();
}

void InterferogramView::arrangeControls() {
    const QSize picture = canvas_->hasPicture() ? canvas_->pictureLayoutSize() : QSize(0, 0);
    canvas_->resize(picture);
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    const int top = zoomRowHeight();
    zoomRow_->setGeometry(0, 0, width(), top);
    layout_ = arrangeViewport(width(), std::max(0, height() - top), picture.width(),
                              picture.height(), bar);
    frame_->setGeometry(0, top, layout_.viewportWidth, layout_.viewportHeight);

    if (layout_.horizontalBar) {
        hbar_->setGeometry(0, top + layout_.viewportHeight, layout_.viewportWidth, bar);
        hbar_->setRange(0, layout_.horizontalMax);
        hbar_->setSingleStep(std::max(1, layout_.horizontalSmallStep));
        hbar_->setPageStep(std::max(1, layout_.horizontalPageStep));
        hbar_->show();
    } else {
        hbar_->setValue(0);
        hbar_->hide();
    }
    if (layout_.verticalBar) {
        vbar_->setGeometry(layout_.viewportWidth, top, bar, layout_.viewportHeight);
        vbar_->setRange(0, layout_.verticalMax);
        vbar_->setSingleStep(std::max(1, layout_.verticalSmallStep));
        vbar_->setPageStep(std::max(1, layout_.verticalPageStep));
        vbar_->show();
    } else {
        vbar_->setValue(0);
        vbar_->hide();
    }
    canvas_->move(-hbar_->value(), -vbar_->value());
}

} // namespace lumi
