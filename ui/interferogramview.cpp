#include "ui/interferogramview.h"

#include "ui/imagecanvas.h"

#include <QScrollBar>
#include <QStyle>
#include <QWheelEvent>

namespace lumi {

InterferogramView::InterferogramView(QWidget* parent)
    : QWidget(parent), frame_(new QWidget(this)), canvas_(new ImageCanvas(frame_)),
      hbar_(new QScrollBar(Qt::Horizontal, this)), vbar_(new QScrollBar(Qt::Vertical, this)) {
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
}

void InterferogramView::resizeEvent(QResizeEvent*) {
    arrangeControls();
}

void InterferogramView::wheelEvent(QWheelEvent* event) {
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
    layout_ = arrangeViewport(width(), height(), picture.width(), picture.height(), bar);
    frame_->setGeometry(0, 0, layout_.viewportWidth, layout_.viewportHeight);

    if (layout_.horizontalBar) {
        hbar_->setGeometry(0, layout_.viewportHeight, layout_.viewportWidth, bar);
        hbar_->setRange(0, layout_.horizontalMax);
        hbar_->setSingleStep(std::max(1, layout_.horizontalSmallStep));
        hbar_->setPageStep(std::max(1, layout_.horizontalPageStep));
        hbar_->show();
    } else {
        hbar_->setValue(0);
        hbar_->hide();
    }
    if (layout_.verticalBar) {
        vbar_->setGeometry(layout_.viewportWidth, 0, bar, layout_.viewportHeight);
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
