#include "app/imagepage.h"

#include "app/workspacemodel.h"

#include "app/fringetoolspanel.h"
#include "app/markgeometry.h"
#include "app/sampleresources.h"
#include "fringe/fringeoptimizer.h"
#include "fringe/fringetracer.h"
#include "report/tracestoptexts.h"
#include "ui/dialogservice.h"
#include "ui/imagecanvas.h"
#include "ui/interferogramview.h"
#include "ui/markpainter.h"

#include "ui/picture/pictureloader.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QSignalBlocker>
#include <algorithm>
#include <span>

namespace lumi {

ImagePage::ImagePage(WorkspaceModel& workspace, DialogService& dialogs, QWidget* parent)
    : QWidget(parent), ws_(workspace), editor_(workspace.editor()), dialogs_(dialogs),
      view_(new InterferogramView(this)), tools_(new FringeToolsPanel(this)),
      recorder_({ws_.store(), editor_, [this] { showRestoredEdit(); }}) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(view_, 1);
    layout->addWidget(tools_, 0);

    ImageCanvas* c = view_->canvas();
    connect(c, &ImageCanvas::mousePressed, this, &ImagePage::onPress);
    connect(c, &ImageCanvas::mouseMoved, this, &ImagePage::onMove);
    connect(c, &ImageCanvas::mouseReleased, this, &ImagePage::onRelease);
    connect(tools_, &FringeToolsPanel::fringeSelected, this, &ImagePage::onFringeSelected);
    connect(tools_, &FringeToolsPanel::orderChosen, this, &ImagePage::onOrderChosen);
    connect(tools_->sameOrderButton(), &QPushButton::clicked, this, &ImagePage::onSameOrder);
    connect(tools_->deleteActiveButton(), &QPushButton::clicked, this,
            &ImagePage::onDeleteActiveFringe);
    connect(tools_->deleteAllButton(), &QPushButton::clicked, this, &ImagePage::onDeleteAllPoints);
    connect(tools_->reverseButton(), &QPushButton::clicked, this, &ImagePage::onReverse);
    connect(tools_->apertureAddButton(), &QPushButton::clicked, this, &ImagePage::onApertureAdd);
    connect(tools_->apertureClearButton(), &QPushButton::clicked, this,
            &ImagePage::onApertureClear);
    connect(tools_->obstructionAddButton(), &QPushButton::clicked, this,
            &ImagePage::onObstructionAdd);
    connect(tools_->obstructionClearButton(), &QPushButton::clicked, this,
            &ImagePage::onObstructionClear);
    connect(tools_->autoTracingBox(), &QCheckBox::toggled, this, &ImagePage::onAutoTracingToggled);
    connect(tools_->performAutoTracingButton(), &QPushButton::clicked, this,
            &ImagePage::performAutoTracing);
    connect(tools_->optimizeButton(), &QPushButton::clicked, this,
            &ImagePage::optimizeActiveFringe);
    syncEnabling();
}

ImageCanvas* ImagePage::canvas() const {
    return view_->canvas();
}

const QImage& ImagePage::reportCopy() const {
    return canvas()->cleanPicture();
}

// ---- pictures ---------------------------------------------------------------

void ImagePage::showInterferogram(const QImage& picture) {
    // Reset before the view fits the picture, so that no earlier mark is drawn on it.
    recorder_.drop();
    editor_.resetForNewImage(ws_.store());
    canvas()->setPicture(picture);
    view_->showNewPicture();
    tools_->setAutoTracing(false);
    syncReadouts();
    syncEnabling();
    emit interferogramShown();
}

void ImagePage::loadImageCommand(const QString& initialFolder) {
    FileDialogRequest request;
    request.initialFolder = initialFolder;
    request.title = QStringLiteral("Load Interferogram Image");
    request.filter = QStringLiteral("Pictures (*.bmp;*.jpg;*.jpeg)|*.bmp;*.jpg;*.jpeg|"
                                    "All Files (*.*)|*.*");
    const std::optional<QString> path = dialogs_.openFile(request);
    if (!path) {
        return;
    }
    loadPictureFile(*path);
}

bool ImagePage::loadPictureFile(const QString& path) {
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const LoadedPicture loaded = loadPicture(path.toStdString());
    QGuiApplication::restoreOverrideCursor();
    if (loaded.problem == LoadedPicture::Problem::NotAPicture) {
        dialogs_.beep();
        dialogs_.showMessage(
            QStringLiteral("Lumivorexan"),
            QStringLiteral("Invalid Picture\n\nThe file %1 cannot be shown: %2."
                           "\nThe current picture and points are kept.")
                .arg(QDir::toNativeSeparators(path), QString::fromStdString(loaded.reason)),
            DialogService::Icon::Warning);
        return false;
    }
    if (loaded.problem != LoadedPicture::Problem::None) {
        dialogs_.beep();
        const bool damaged = loaded.problem == LoadedPicture::Problem::Damaged ||
                             loaded.problem == LoadedPicture::Problem::Undecodable;
        const QString what =
            damaged
                ? QStringLiteral("The picture file %1 is damaged: %2.\n")
                      .arg(QDir::toNativeSeparators(path), QString::fromStdString(loaded.reason))
                : QString::fromStdString(loaded.message(path.toStdString())) + '\n';
        dialogs_.showMessage(QStringLiteral("Lumivorexan"),
                             what + QStringLiteral("The current picture and points are kept."),
                             DialogService::Icon::Warning);
        return false;
    }
    showInterferogram(loaded.picture);
    emit pictureFileLoaded(path);
    return true;
}

void ImagePage::loadSample(int n) {
    initSampleResources();
    const QString bmp = QStringLiteral(":/samples/sample%1.bmp").arg(n);
    const QString jpg = QStringLiteral(":/samples/sample%1.jpg").arg(n);
    QImage picture(QFile::exists(jpg) ? jpg : bmp);
    if (picture.isNull()) {
        dialogs_.showMessage(QStringLiteral("Lumivorexan"), QStringLiteral("Invalid Picture"),
                             DialogService::Icon::None);
        return;
    }
    showInterferogram(picture);
}

// ---- marks ------------------------------------------------------------------

// The marks are painted over the picture by the view; a redraw replaces the
// list, an added point appends one cross.

Mark ImagePage::cross(double xPx, double yPx, RgbColor color) const {
    return {Mark::Shape::Cross, xPx, yPx,
            static_cast<double>(ws_.measurement().preferences.crossSizePx), color};
}

void ImagePage::addCircle(std::vector<Mark>& marks, const ApertureCircle& circle) const {
    if (circle.radiusPx > 0.0) {
        marks.push_back({Mark::Shape::Circle, circle.centerXPx, circle.centerYPx, circle.radiusPx,
                         ws_.measurement().preferences.circleColor});
    }
}

Mark ImagePage::orderLabel(ImagePoint at, int order, RgbColor color) const {
    return {Mark::Shape::Label,
            at.xPx,
            at.yPx,
            static_cast<double>(ws_.measurement().preferences.crossSizePx + 1),
            color,
            order + 1};
}

void ImagePage::addCrosses(std::vector<Mark>& marks, bool highlightActive) const {
    const DisplayPreferences& p = ws_.measurement().preferences;
    for (int f = 0; f < FringeStore::kFringesInUse; ++f) {
        const RgbColor color = highlightActive && f == editor_.activeFringe() ? p.activeFringeColor
                                                                              : p.otherFringeColor;
        for (int i = 1; i <= ws_.store().pointCount(f); ++i) {
            marks.push_back(cross(ws_.store().pointX(f, i), ws_.store().pointY(f, i), color));
        }
        // A fringe whose order is not its own number says which it is, at its first point.
        if (ws_.store().pointCount(f) > 0 && ws_.store().hasExplicitOrder(f)) {
            marks.push_back(orderLabel({ws_.store().pointX(f, 1), ws_.store().pointY(f, 1)},
                                       ws_.store().fringeOrder(f), color));
        }
    }
}

std::vector<Mark> ImagePage::marksFor(RedrawCaller caller) const {
    std::vector<Mark> marks;
    marks.reserve(static_cast<std::size_t>(ws_.store().totalPointCount()) + 8);
    const FringeStore& s = ws_.store();
    switch (caller) {
    case RedrawCaller::SelectFringe:
    case RedrawCaller::DeleteActiveFringe:
    case RedrawCaller::DeleteAllPoints:
        addCircle(marks, s.aperture);
        addCircle(marks, s.obstruction);
        if (caller != RedrawCaller::DeleteAllPoints) {
            addCrosses(marks, caller == RedrawCaller::SelectFringe);
        }
        break;
    case RedrawCaller::ClearAperture:
        addCrosses(marks, false);
        addCircle(marks, s.obstruction);
        break;
    case RedrawCaller::ClearObstruction:
        addCircle(marks, s.aperture);
        addCrosses(marks, false);
        break;
    case RedrawCaller::ApertureCompleted:
    case RedrawCaller::ObstructionCompleted:
        addCircle(marks, s.aperture);
        addCrosses(marks, false);
        addCircle(marks, s.obstruction);
        break;
    case RedrawCaller::FringeFileLoaded: {
        addCircle(marks, s.aperture);
        addCircle(marks, s.obstruction);
        // Fringe by fringe: its crosses, then again highlighted when the next
        // fringe is empty (the last fringe of each contiguous run).
        const DisplayPreferences& p = ws_.measurement().preferences;
        for (int f = 0; f < FringeStore::kFringesInUse; ++f) {
            const int passes = s.pointCount(f + 1) == 0 ? 2 : 1;
            for (int pass = 0; pass < passes; ++pass) {
                const RgbColor color = pass == 0 ? p.otherFringeColor : p.activeFringeColor;
                for (int i = 1; i <= s.pointCount(f); ++i) {
                    marks.push_back(cross(s.pointX(f, i), s.pointY(f, i), color));
                }
            }
            if (s.pointCount(f) > 0 && s.hasExplicitOrder(f)) {
                marks.push_back(orderLabel({s.pointX(f, 1), s.pointY(f, 1)}, s.fringeOrder(f),
                                           p.otherFringeColor));
            }
        }
        break;
    }
    }
    return marks;
}

void ImagePage::redrawMarks(RedrawCaller caller) {
    canvas()->setMarks(marksFor(caller));
}

void ImagePage::showLoadedFringeData(const std::function<void()>& putIntoStore) {
    // Undo brings back the points the file replaced (the picture stays the same).
    recorder_.begin(QStringLiteral("Load Fringe Data"));
    putIntoStore();
    recorder_.finish();
    redrawMarks(RedrawCaller::FringeFileLoaded);
    syncReadouts();
    syncEnabling();
}

void ImagePage::showRestoredEdit() {
    {
        const QSignalBlocker block(tools_->autoTracingBox()); // no confirmation on redo
        tools_->setAutoTracing(editor_.autoTracing());
    }
    syncReadouts();
    syncEnabling();
    if (!canvas()->hasPicture()) {
        return;
    }
    redrawCurrentMarks();
}

void ImagePage::redrawCurrentMarks() {
    std::vector<Mark> marks = marksFor(RedrawCaller::SelectFringe);
    // Clicks of a construction still waiting for its third one.
    for (int i = 1; i <= std::min(editor_.constructionClicks(), 3); ++i) {
        marks.push_back(cross(editor_.constructionX(i), editor_.constructionY(i),
                              ws_.measurement().preferences.circleColor));
    }
    for (std::size_t k = 0; k < editor_.seeds().size(); ++k) {
        const ImagePoint seed = editor_.seeds()[k];
        marks.push_back(cross(seed.xPx, seed.yPx, ws_.measurement().preferences.activeFringeColor));
        marks.push_back(orderLabel(seed, editor_.seedOrders()[k],
                                   ws_.measurement().preferences.activeFringeColor));
    }
    canvas()->setMarks(std::move(marks));
}

void ImagePage::syncReadouts() {
    if (editor_.autoTracing()) {
        // While seeding the selector and the order box choose the next seed's order.
        tools_->showActiveFringe(editor_.nextSeedOrder());
        tools_->showPointCount(0);
        tools_->showOrder(editor_.nextSeedOrder(), true, !editor_.seedOrders().empty());
        return;
    }
    tools_->showActiveFringe(editor_.activeFringe());
    tools_->showPointCount(ws_.store().pointCount(editor_.activeFringe()));
    tools_->showOrder(ws_.store().fringeOrder(editor_.activeFringe()), false, false);
}

void ImagePage::syncEnabling() {
    tools_->applyEnabling(editor_.groups());
    tools_->wholeFieldButton()->setEnabled(canvas()->hasPicture() && !editor_.autoTracing());
}

// ---- mouse ------------------------------------------------------------------

void ImagePage::addPointAt(double xPx, double yPx) {
    if (!editor_.addPointToActiveFringe(ws_.store(), xPx, yPx)) {
        return; // the fringe is full (200 points)
    }
    tools_->showPointCount(ws_.store().pointCount(editor_.activeFringe()));
    canvas()->addMark(cross(xPx, yPx, ws_.measurement().preferences.activeFringeColor));
}

void ImagePage::onPress(Qt::MouseButton button, Qt::MouseButtons, QPointF p) {
    if (!canvas()->hasPicture()) {
        return;
    }
    if (button == Qt::LeftButton && editor_.autoTracing()) {
        placeSeed(p.x(), p.y()); // seeds are no steps: they end in the trace
        return;
    }
    // One press to its release is one step: a click, a whole drag.
    recorder_.begin(button == Qt::RightButton ? QStringLiteral("Delete Points")
                                              : QStringLiteral("Place Point"));
    if (button != Qt::LeftButton) {
        return;
    }
    if (editor_.groups().fringeTracing && acceptsClickedPoint(ws_.store(), p.x(), p.y())) {
        addPointAt(p.x(), p.y());
    }
}

void ImagePage::onMove(Qt::MouseButtons held, QPointF p) {
    if (held != Qt::LeftButton || editor_.autoTracing() || editor_.addingAperture() ||
        editor_.addingObstruction() || !canvas()->hasPicture()) {
        return;
    }
    const int spacing = ws_.measurement().preferences.pointSpacing;
    if (spacing <= 0) {
        return;
    }
    // The spray step is held in single precision.
    const float step =
        static_cast<float>(ws_.store().aperture.radiusPx) / static_cast<float>(spacing);
    if (isInsideAnnulus(ws_.store(), p.x(), p.y()) &&
        editor_.distanceToLastPoint(ws_.store(), p.x(), p.y()) > static_cast<double>(step)) {
        recorder_.ensureOpen(QStringLiteral("Spray Points"));
        recorder_.setText(QStringLiteral("Spray Points"));
        addPointAt(p.x(), p.y());
    }
}

void ImagePage::onRelease(Qt::MouseButton button, QPointF p) {
    if (!canvas()->hasPicture()) {
        return;
    }
    if (button == Qt::RightButton) {
        recorder_.ensureOpen(QStringLiteral("Delete Points"));
        deletePointsNear(p.x(), p.y());
    } else if (button == Qt::LeftButton) {
        addConstructionClick(p);
    }
    recorder_.finish();
}

void ImagePage::addConstructionClick(QPointF p) {
    const bool aperture = editor_.addingAperture();
    if (!editor_.autoTracing() && (aperture || editor_.addingObstruction())) {
        recorder_.ensureOpen(QString());
        recorder_.markConstruction();
        recorder_.setText(aperture ? QStringLiteral("Aperture Circle")
                                   : QStringLiteral("Obstruction Circle"));
    }
    switch (editor_.addConstructionClick(ws_.store(), p.x(), p.y())) {
    case FringeEditor::ConstructionOutcome::NotConstructing: break;
    case FringeEditor::ConstructionOutcome::ClickStored:
        canvas()->addMark(cross(p.x(), p.y(), ws_.measurement().preferences.circleColor));
        break;
    case FringeEditor::ConstructionOutcome::ApertureCompleted:
        redrawMarks(RedrawCaller::ApertureCompleted);
        syncEnabling();
        break;
    case FringeEditor::ConstructionOutcome::ObstructionCompleted:
        redrawMarks(RedrawCaller::ObstructionCompleted);
        syncEnabling();
        break;
    case FringeEditor::ConstructionOutcome::Collinear:
        // No circle passes through three points on a line; the construction
        // starts again and the stored circle keeps its value.
        redrawMarks(RedrawCaller::SelectFringe);
        dialogs_.showMessage(QStringLiteral("Add Circle"),
                             QStringLiteral("The three points lie on one line; click three new "
                                            "points."),
                             DialogService::Icon::Warning);
        break;
    }
}

void ImagePage::deletePointsNear(double xPx, double yPx) {
    const int f = editor_.activeFringe();
    const int countAtClick = ws_.store().pointCount(f);
    for (int i = 1; i <= countAtClick; ++i) {
        // Points that moved down are not examined again; the scan stops at the live count.
        if (i > ws_.store().pointCount(f)) {
            break;
        }
        if (hitsPoint(ws_.store().pointX(f, i), ws_.store().pointY(f, i), xPx, yPx)) {
            ws_.store().removePoint(f, i);
        }
    }
    if (ws_.store().pointCount(f) != countAtClick) {
        // One redraw for all the points removed.
        tools_->showPointCount(ws_.store().pointCount(f));
        redrawMarks(RedrawCaller::SelectFringe);
    }
}

// ---- buttons ----------------------------------------------------------------

void ImagePage::onFringeSelected(int fringe) {
    if (editor_.autoTracing()) {
        editor_.setNextSeedOrder(fringe);
        syncReadouts();
        return;
    }
    if (!editor_.selectActiveFringe(fringe)) {
        return;
    }
    syncReadouts();
    if (canvas()->hasPicture()) {
        redrawMarks(RedrawCaller::SelectFringe);
    }
}

void ImagePage::onOrderChosen(int order) {
    if (editor_.autoTracing()) {
        editor_.setNextSeedOrder(order);
        syncReadouts();
        return;
    }
    recorder_.begin(QStringLiteral("Fringe Order"));
    editor_.setActiveFringeOrder(ws_.store(), order);
    recorder_.finish();
    syncReadouts();
    if (canvas()->hasPicture()) {
        redrawMarks(RedrawCaller::SelectFringe);
    }
}

void ImagePage::onSameOrder() {
    if (editor_.repeatLastSeedOrder()) {
        syncReadouts();
    }
}

void ImagePage::onDeleteActiveFringe() {
    if (ws_.store().pointCount(editor_.activeFringe()) > 0 && discardGuard_ && !discardGuard_()) {
        return;
    }
    recorder_.begin(QStringLiteral("Delete Active Fringe"));
    editor_.deleteActiveFringe(ws_.store());
    recorder_.finish();
    tools_->showPointCount(0);
    redrawMarks(RedrawCaller::DeleteActiveFringe);
}

void ImagePage::onDeleteAllPoints() {
    if (!dialogs_.askYesNo(QStringLiteral("Warning"),
                           QStringLiteral("Do you want to delete all points ?"),
                           DialogService::Icon::Question)) {
        return;
    }
    recorder_.begin(QStringLiteral("Delete All Points"));
    tools_->setAutoTracing(false);
    editor_.deleteAllPoints(ws_.store());
    recorder_.finish();
    redrawMarks(RedrawCaller::DeleteAllPoints);
    syncReadouts();
}

void ImagePage::onReverse() {
    recorder_.begin(QStringLiteral("Reverse"));
    const int reversed = editor_.reverseFringeOrder(ws_.store());
    recorder_.finish();
    if (reversed == 0) {
        return;
    }
    syncReadouts();
    redrawMarks(RedrawCaller::SelectFringe);
}

void ImagePage::onApertureAdd() {
    recorder_.begin(QStringLiteral("Aperture Circle"));
    recorder_.markConstruction();
    editor_.startApertureConstruction();
    recorder_.finish();
}

void ImagePage::onApertureClear() {
    recorder_.begin(QStringLiteral("Clear Aperture"));
    editor_.clearAperture();
    recorder_.finish();
    redrawMarks(RedrawCaller::ClearAperture);
    syncEnabling();
}

void ImagePage::onObstructionAdd() {
    recorder_.begin(QStringLiteral("Obstruction Circle"));
    recorder_.markConstruction();
    editor_.startObstructionConstruction();
    recorder_.finish();
    syncEnabling();
}

void ImagePage::onObstructionClear() {
    recorder_.begin(QStringLiteral("Clear Obstruction"));
    editor_.clearObstruction(ws_.store());
    recorder_.finish();
    redrawMarks(RedrawCaller::ClearObstruction);
    syncEnabling();
}

// ---- autotracing --------------------------------------------------------------

void ImagePage::onAutoTracingToggled(bool checked) {
    if (!checked) {
        editor_.setAutoTracing(false);
        syncReadouts();
        return;
    }
    AutoTracingChoice choice{editor_.followFringe()};
    if (!dialogs_.confirmAutoTracing(choice)) {
        tools_->setAutoTracing(false);
        return;
    }
    editor_.setFollowFringe(choice.followFringe);
    // Erasing the points for the seeds is a step of its own; while seeds
    // are placed the window offers no undo.
    recorder_.begin(QStringLiteral("Fringe AutoTracing"));
    editor_.beginSeeding(ws_.store());
    recorder_.finish();
    redrawMarks(RedrawCaller::DeleteAllPoints);
    syncReadouts();
}

void ImagePage::placeSeed(double xPx, double yPx) {
    if (!editor_.addSeed(xPx, yPx)) {
        dialogs_.showMessage(QStringLiteral("Fringe AutoTracing"),
                             QStringLiteral("Seeds can be placed on 101 fringes at most; this "
                                            "click was not used. Press \"Perform  AUTOTRACING\" "
                                            "to trace the fringes seeded so far."),
                             DialogService::Icon::Information);
        return;
    }
    canvas()->addMark(cross(xPx, yPx, ws_.measurement().preferences.activeFringeColor));
    canvas()->addMark(orderLabel({xPx, yPx}, editor_.seedOrders().back(),
                                 ws_.measurement().preferences.activeFringeColor));
    syncReadouts();
}

void ImagePage::performAutoTracing() {
    if (editor_.seeds().size() < 2) {
        // Seeding goes on: the seeds placed so far stay.
        dialogs_.showMessage(QStringLiteral("Fringe AutoTracing"),
                             QStringLiteral("Place one seed on each fringe, at least two, in "
                                            "fringe order across the fringes; then press "
                                            "\"Perform  AUTOTRACING\"."),
                             DialogService::Icon::Information);
        return;
    }
    const std::vector<int> orders = editor_.seedOrders();
    const std::vector<ImagePoint> seeds = editor_.takeSeeds();
    tools_->setAutoTracing(false);
    if (!canvas()->hasPicture()) {
        return;
    }
    const PixelGrid& picture = canvas()->pixels();
    TraceOptions options;
    options.pointSpacing = ws_.measurement().preferences.pointSpacing;
    options.followFringe = editor_.followFringe();
    const FringeTracer tracer(picture, ws_.store().aperture, ws_.store().obstruction, options);

    // Crosses go onto the view as the trace runs; the window repaints and
    // handles pending events (user input aside, so no second command starts)
    // at most every 30 ms rather than after every point.
    constexpr qint64 kProgressIntervalMs = 30;
    QElapsedTimer sinceEvents;
    sinceEvents.start();
    const FringeTracer::PointObserver progress = [&](int, ImagePoint pt) {
        canvas()->addMark(cross(pt.xPx, pt.yPx, ws_.measurement().preferences.activeFringeColor));
        if (sinceEvents.elapsed() >= kProgressIntervalMs) {
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
            sinceEvents.restart();
        }
    };
    // The step starts after the seeds were taken: undo returns to the erased
    // fringes, not to seeding.
    recorder_.begin(QStringLiteral("AUTOTRACING"));
    std::vector<TraceStop> stops;
    const FringeTracer::Outcome outcome = tracer.trace(seeds, ws_.store(), progress, &stops);
    if (outcome == FringeTracer::Outcome::Traced) {
        for (std::size_t k = 0; k < orders.size(); ++k) {
            ws_.store().setFringeOrder(static_cast<int>(k), orders[k]);
        }
        editor_.selectActiveFringe(static_cast<int>(seeds.size()) - 1);
    }
    recorder_.finish();
    if (outcome != FringeTracer::Outcome::Traced) {
        redrawMarks(RedrawCaller::SelectFringe);
        emit statusNote(QStringLiteral("AUTOTRACING: the first two seeds lie on one position, "
                                       "so there is no direction across the fringes; nothing "
                                       "was traced."));
        return;
    }
    syncReadouts();
    redrawMarks(RedrawCaller::SelectFringe);
    const QString done = QStringLiteral("AUTOTRACING done: %1 points on %2 fringes")
                             .arg(ws_.store().totalPointCount())
                             .arg(ws_.store().nonEmptyFringeCount());
    if (stops.empty()) {
        emit statusNote(done);
        return;
    }
    emit statusNote(done + QStringLiteral("; %1 stopped early").arg(stops.size()));
    showTraceStops(stops);
}

void ImagePage::showTraceStops(const std::vector<TraceStop>& stops) {
    // A long list is cut so the message fits the screen.
    constexpr std::size_t kShown = 15;
    QStringList lines;
    lines << QStringLiteral("%1 of the followed fringes stopped before the aperture's edge; "
                            "place points by hand there if they are needed:")
                 .arg(stops.size());
    const std::vector<std::string> texts = traceStopTexts(stops);
    for (std::size_t i = 0; i < texts.size() && i < kShown; ++i)
        lines << QString::fromStdString(texts[i]);
    if (texts.size() > kShown)
        lines << QStringLiteral("... and %1 more.").arg(texts.size() - kShown);
    dialogs_.showMessage(QStringLiteral("Fringe AutoTracing"), lines.join(QLatin1Char('\n')),
                         DialogService::Icon::Information);
}

void ImagePage::optimizeActiveFringe() {
    if (!canvas()->hasPicture()) {
        return;
    }
    const PixelGrid& picture = canvas()->pixels();
    const int fringe = editor_.activeFringe();
    recorder_.begin(QStringLiteral("Optimize Fringe Points"));
    const FringeOptimizer::Outcome outcome = FringeOptimizer(picture).optimize(ws_.store(), fringe);
    recorder_.finish();
    if (outcome == FringeOptimizer::Outcome::TooManyPoints) {
        emit statusNote(QStringLiteral("Optimize Fringe Points: fringe %1 has more than %2 "
                                       "points; nothing was changed.")
                            .arg(fringe + 1)
                            .arg(FringeOptimizer::kMaxPoints));
        return;
    }
    redrawMarks(RedrawCaller::SelectFringe);
}

} // namespace lumi
