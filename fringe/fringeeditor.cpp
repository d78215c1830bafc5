#include "fringe/fringeeditor.h"

#include "fringe/threepointcircle.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

namespace lumi {

bool FringeEditor::selectActiveFringe(int fringe) {
    if (fringe < 0 || fringe > kMaxActiveFringe)
        return false;
    activeFringe_ = fringe;
    return true;
}

void FringeEditor::deleteActiveFringe(FringeStore& store) const {
    store.clearFringe(activeFringe_);
}

void FringeEditor::deleteAllPoints(FringeStore& store) {
    autoTracing_ = false;
    clearSeeds();
    store.clearFringesInUse();
    selectActiveFringe(0);
}

int FringeEditor::reverseFringeOrder(FringeStore& store) {
    const int n = store.reverseFringeOrder();
    if (n > 0)
        selectActiveFringe(n - 1);
    return n;
}

bool FringeEditor::addPointToActiveFringe(FringeStore& store, double xPx, double yPx) {
    if (!store.addPoint(activeFringe_, xPx, yPx))
        return false;
    lastFringe_ = activeFringe_;
    lastPoint_ = store.pointCount(activeFringe_);
    return true;
}

double FringeEditor::distanceToLastPoint(const FringeStore& store, double xPx, double yPx) const {
    // The last point may since have been deleted (or the store reset).
    if (lastPoint_ < 1 || lastPoint_ > store.pointCount(lastFringe_))
        return std::numeric_limits<double>::infinity();
    return std::hypot(xPx - store.pointX(lastFringe_, lastPoint_),
                      yPx - store.pointY(lastFringe_, lastPoint_));
}

void FringeEditor::resetForNewImage(FringeStore& store) {
    store.reset();
    discardConstruction();
    addingAperture_ = false;
    addingObstruction_ = false;
    autoTracing_ = false;
    clearSeeds();
    imageLoaded_ = true;
    activeFringe_ = 0;
    lastFringe_ = 0;
    lastPoint_ = 0;
    groups_.apply(GroupEnabling::Event::ImageLoaded);
}

void FringeEditor::fringeFileLoaded(int fringe) {
    selectActiveFringe(fringe);
    discardConstruction();
    addingAperture_ = false;
    addingObstruction_ = false;
    groups_.apply(GroupEnabling::Event::FringeFileLoaded);
}

void FringeEditor::beginSeeding(FringeStore& store) {
    store.clearFringesInUse();
    selectActiveFringe(0);
    clearSeeds();
    autoTracing_ = true;
}

bool FringeEditor::addSeed(double xPx, double yPx) {
    if (seeds_.size() >= static_cast<std::size_t>(FringeTracer::kMaxSeeds))
        return false;
    seeds_.push_back({xPx, yPx});
    seedOrders_.push_back(nextSeedOrder_);
    nextSeedOrder_ = std::min(nextSeedOrder_ + 1, FringeStore::kMaxFringeOrder);
    lastFringe_ = static_cast<int>(seeds_.size()) - 1;
    return true;
}

bool FringeEditor::setNextSeedOrder(int order) {
    if (order < 0 || order > FringeStore::kMaxFringeOrder)
        return false;
    nextSeedOrder_ = order;
    return true;
}

bool FringeEditor::repeatLastSeedOrder() {
    if (seedOrders_.empty())
        return false;
    nextSeedOrder_ = seedOrders_.back();
    return true;
}

std::vector<ImagePoint> FringeEditor::takeSeeds() {
    autoTracing_ = false;
    seedOrders_.clear();
    nextSeedOrder_ = 0;
    return std::exchange(seeds_, {});
}

bool FringeEditor::setActiveFringeOrder(FringeStore& store, int order) const {
    return store.setFringeOrder(activeFringe_, order);
}

void FringeEditor::startApertureConstruction() {
    addingAperture_ = true;
}

void FringeEditor::startObstructionConstruction() {
    addingObstruction_ = true;
    groups_.apply(GroupEnabling::Event::ObstructionAddPressed);
}

FringeEditor::ConstructionOutcome FringeEditor::addConstructionClick(FringeStore& store, double xPx,
                                                                     double yPx) {
    if (autoTracing_ || (!addingAperture_ && !addingObstruction_))
        return ConstructionOutcome::NotConstructing;
    ++constructionClicks_;
    constructionX_[static_cast<std::size_t>(constructionClicks_)] = xPx;
    constructionY_[static_cast<std::size_t>(constructionClicks_)] = yPx;
    if (constructionClicks_ < 3)
        return ConstructionOutcome::ClickStored;

    std::optional<ApertureCircle> circle =
        circleThroughThreePoints(constructionX_[1], constructionY_[1], constructionX_[2],
                                 constructionY_[2], constructionX_[3], constructionY_[3]);
    discardConstruction();
    if (!circle)
        return ConstructionOutcome::Collinear; // the mode stays: three new clicks

    // The aperture construction is examined first when both are pending.
    if (addingAperture_) {
        addingAperture_ = false;
        store.aperture = *circle;
        groups_.apply(GroupEnabling::Event::ApertureCompleted);
        return ConstructionOutcome::ApertureCompleted;
    }
    addingObstruction_ = false;
    store.obstruction = *circle;
    groups_.apply(GroupEnabling::Event::ObstructionCompleted);
    return ConstructionOutcome::ObstructionCompleted;
}

void FringeEditor::clearAperture() {
    discardConstruction();
    addingAperture_ = false;
    groups_.apply(GroupEnabling::Event::ApertureCleared);
}

void FringeEditor::clearObstruction(FringeStore& store) {
    discardConstruction();
    addingObstruction_ = false;
    store.obstruction = {};
    groups_.apply(GroupEnabling::Event::ObstructionCleared);
}

void FringeEditor::clearSeeds() {
    seeds_.clear();
    seedOrders_.clear();
    nextSeedOrder_ = 0;
}

void FringeEditor::discardConstruction() {
    constructionClicks_ = 0;
    constructionX_.fill(0.0);
    constructionY_.fill(0.0);
}

} // namespace lumi
