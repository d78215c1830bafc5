#include "ui/autotracingwindow.h"

#include "ui/dialogservice.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>

namespace lumi {
namespace {

// Gently curved dark fringes in a circular pupil, a row of seed crosses on a
// straight line across them, and the three labels of the sketch.
class SeedSketch : public QWidget {
public:
    explicit SeedSketch(QWidget* parent) : QWidget(parent) { setFixedSize(460, 250); }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.fillRect(rect(), Qt::black);
        const QPointF centre(140, 125);
        const double radius = 105;
        QPainterPath pupil;
        pupil.addEllipse(centre, radius, radius);
        p.fillPath(pupil, QColor(230, 60, 50));
        p.setClipPath(pupil);
        p.setPen(QPen(QColor(60, 0, 0), 7));
        for (int k = -4; k <= 4; ++k) {
            QPainterPath fringe;
            const double x0 = centre.x() + 24.0 * k;
            fringe.moveTo(x0 + 12, centre.y() - radius);
            fringe.quadTo(x0 - 12, centre.y(), x0 + 12, centre.y() + radius);
            p.drawPath(fringe);
        }
        p.setClipping(false);
        const QColor seedColor(0, 200, 255);
        p.setPen(QPen(seedColor, 1, Qt::DashLine));
        p.drawLine(QPointF(centre.x() - 4 * 24 - 4, centre.y()),
                   QPointF(centre.x() + 4 * 24 + 4, centre.y()));
        p.setPen(QPen(seedColor, 2));
        for (int k = -4; k <= 4; ++k) {
            const QPointF s(centre.x() + 24.0 * k, centre.y());
            p.drawLine(s - QPointF(0, 5), s + QPointF(0, 5));
            p.drawLine(s - QPointF(5, 0), s + QPointF(5, 0));
        }
        p.setPen(Qt::white);
        const QPointF first(centre.x() - 96, centre.y());
        const QPointF last(centre.x() + 96, centre.y());
        p.drawLine(first, QPointF(262, 30));
        p.drawText(QRectF(265, 15, 190, 36), Qt::TextWordWrap,
                   QStringLiteral("First Point over the First fringe"));
        p.drawLine(last, QPointF(262, 215));
        p.drawText(QRectF(265, 200, 190, 36), Qt::TextWordWrap,
                   QStringLiteral("Last Point over the Last fringe"));
        p.drawLine(QPointF(centre.x() + 40, centre.y()), QPointF(262, 122));
        p.drawText(QRectF(265, 105, 190, 36), Qt::TextWordWrap,
                   QStringLiteral("Ideal line perpendicular to the fringe pattern"));
    }
};

QLabel* wrapped(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);
    return label;
}

} // namespace

AutoTracingWindow::AutoTracingWindow(QWidget* parent) : QDialog(parent) {
    setObjectName("FrmAutoTracing");
    setWindowTitle(QString::fromLatin1(kAutoTracingTitle));
    setModal(true);
    auto* column = new QVBoxLayout(this);
    // The window takes the height its wrapped texts need at any scale factor.
    column->setSizeConstraint(QLayout::SetFixedSize);
    column->addWidget(
        wrapped(QStringLiteral("Place the first point over the first fringe and the remaining "
                               "points over the other fringes .The ideal straight  line "
                               "connecting the  points should  be perpendicular to the fringes "
                               "direction (see the sample below)."),
                this));
    column->addWidget(new SeedSketch(this), 0, Qt::AlignHCenter);
    QLabel* question = wrapped(QString::fromLatin1(kAutoTracingQuestion), this);
    QFont bold = question->font();
    bold.setBold(true);
    question->setFont(bold);
    column->addWidget(question);
    column->addWidget(wrapped(QStringLiteral("After placing the points click the  <AUTOTRACING> "
                                             "button for performing  fringe autotracing."),
                              this));
    column->addWidget(
        wrapped(QStringLiteral("Each seed shows its fringe order. Where the wavefront turns "
                               "over (an outer ring of the same order as the ring inside it), "
                               "press \"Same Order\" before that seed, or choose its order in "
                               "the fringe selector or the order box."),
                this));
    follow_ = new QCheckBox(QStringLiteral("Follow the fringe direction"), this);
    follow_->setObjectName("FollowFringeBox");
    follow_->setToolTip(
        QStringLiteral("Each fringe is followed along its own direction with a search sized to "
                       "its local period; a fringe that leaves its dark line stops there and "
                       "is reported instead of running across its neighbours."));
    column->addWidget(follow_);
    auto* buttons = new QHBoxLayout;
    yes_ = new QPushButton(QStringLiteral("YES"), this);
    yes_->setObjectName("YesButton");
    no_ = new QPushButton(QStringLiteral("NO"), this);
    no_->setObjectName("NoButton");
    buttons->addStretch(1);
    buttons->addWidget(yes_);
    buttons->addWidget(no_);
    buttons->addStretch(1);
    column->addLayout(buttons);
    connect(yes_, &QPushButton::clicked, this, &QDialog::accept);
    connect(no_, &QPushButton::clicked, this, &QDialog::reject);
}

bool AutoTracingWindow::followFringe() const {
    return follow_->isChecked();
}

void AutoTracingWindow::setFollowFringe(bool on) {
    follow_->setChecked(on);
}

} // namespace lumi
