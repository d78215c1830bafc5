#include "fringe/fringestoredelta.h"

#include <algorithm>

namespace lumi {

std::vector<FringeStoreDelta::Point> FringeStoreDelta::pointsOf(const FringeStore& store,
                                                                int fringe) {
    std::vector<Point> points;
    points.reserve(static_cast<std::size_t>(store.pointCount(fringe)));
    for (int p = 1; p <= store.pointCount(fringe); ++p) {
        points.push_back({store.pointX(fringe, p), store.pointY(fringe, p)});
    }
    return points;
}

void FringeStoreDelta::setFringe(FringeStore& store, int fringe, const std::vector<Point>& points,
                                 int order) {
    store.clearFringe(fringe);
    for (const Point& p : points) {
        store.addPoint(fringe, p.xPx, p.yPx);
    }
    store.setFringeOrder(fringe, order);
}

FringeStoreDelta FringeStoreDelta::between(const FringeStore& before, const FringeStore& after) {
    FringeStoreDelta delta;
    delta.apertureBefore_ = before.aperture;
    delta.apertureAfter_ = after.aperture;
    delta.obstructionBefore_ = before.obstruction;
    delta.obstructionAfter_ = after.obstruction;
    for (int f = 0; f < FringeStore::kFringeSlots; ++f) {
        const int count = before.pointCount(f);
        bool same = count == after.pointCount(f) && before.fringeOrder(f) == after.fringeOrder(f);
        for (int p = 1; same && p <= count; ++p) {
            same = before.pointX(f, p) == after.pointX(f, p) &&
                   before.pointY(f, p) == after.pointY(f, p);
        }
        if (!same) {
            delta.changes_.push_back({f, pointsOf(before, f), pointsOf(after, f),
                                      before.fringeOrder(f), after.fringeOrder(f)});
        }
    }
    return delta;
}

bool FringeStoreDelta::empty() const {
    return changes_.empty() && apertureBefore_ == apertureAfter_ &&
           obstructionBefore_ == obstructionAfter_;
}

std::size_t FringeStoreDelta::pointBytes() const {
    std::size_t points = 0;
    for (const FringeChange& c : changes_) {
        points += c.before.size() + c.after.size();
    }
    return points * sizeof(Point);
}

void FringeStoreDelta::applyTo(FringeStore& store) const {
    for (const FringeChange& c : changes_) {
        setFringe(store, c.fringe, c.after, c.orderAfter);
    }
    store.aperture = apertureAfter_;
    store.obstruction = obstructionAfter_;
}

void FringeStoreDelta::revertOn(FringeStore& store) const {
    for (const FringeChange& c : changes_) {
        setFringe(store, c.fringe, c.before, c.orderBefore);
    }
    store.aperture = apertureBefore_;
    store.obstruction = obstructionBefore_;
}

void FringeStoreDelta::append(const FringeStoreDelta& next) {
    for (const FringeChange& n : next.changes_) {
        const auto at =
            std::lower_bound(changes_.begin(), changes_.end(), n.fringe,
                             [](const FringeChange& c, int fringe) { return c.fringe < fringe; });
        if (at != changes_.end() && at->fringe == n.fringe) {
            at->after = n.after; // its state before this delta stays
            at->orderAfter = n.orderAfter;
        } else {
            changes_.insert(at, n); // untouched here: its state before `next` is ours too
        }
    }
    std::erase_if(changes_, [](const FringeChange& c) {
        return c.before == c.after && c.orderBefore == c.orderAfter;
    });
    apertureAfter_ = next.apertureAfter_;
    obstructionAfter_ = next.obstructionAfter_;
}

} // namespace lumi
