#pragma once

#include "fringe/aperturecircle.h"
#include "fringe/fringestore.h"

#include <cstddef>
#include <vector>

namespace lumi {

// What one edit changed in a FringeStore: the points and order of each fringe
// that differs (before and after) and both circles. Kept instead of store copies,
// so a step costs bytes in proportion to the fringes it touched.
// Replaying relies on the store's rule that slots above a fringe's count are 0.
class FringeStoreDelta {
public:
    // The changes that turn `before` into `after` (fringes 0..200).
    static FringeStoreDelta between(const FringeStore& before, const FringeStore& after);

    // True when the two stores were equal.
    bool empty() const;
    // Number of fringes whose points differ.
    std::size_t changedFringeCount() const { return changes_.size(); }
    // Bytes held for the points (before and after), for keeping memory bounded.
    std::size_t pointBytes() const;

    // Turns the "before" store into the "after" one (the other fringes are untouched).
    void applyTo(FringeStore& store) const;
    // Turns the "after" store back into the "before" one.
    void revertOn(FringeStore& store) const;

    // Extends this delta (a -> b) by `next` (b -> c) into a -> c.
    void append(const FringeStoreDelta& next);

private:
    struct Point {
        double xPx = 0.0;
        double yPx = 0.0;
        bool operator==(const Point&) const = default;
    };
    struct FringeChange {
        int fringe = 0;
        std::vector<Point> before; // points 1..count in order
        std::vector<Point> after;
        int orderBefore = 0; // FringeStore::fringeOrder
        int orderAfter = 0;
    };
    static std::vector<Point> pointsOf(const FringeStore& store, int fringe);
    static void setFringe(FringeStore& store, int fringe, const std::vector<Point>& points,
                          int order);

    std::vector<FringeChange> changes_; // ascending fringe index
    ApertureCircle apertureBefore_;
    ApertureCircle apertureAfter_;
    ApertureCircle obstructionBefore_;
    ApertureCircle obstructionAfter_;
};

} // namespace lumi
