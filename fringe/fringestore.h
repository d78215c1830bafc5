#pragma once

#include "fringe/aperturecircle.h"
#include "fringe/fringepoint.h"

#include <array>
#include <vector>

namespace lumi {

// The digitised interferogram: aperture and obstruction circles and up to 101
// fringes of up to 200 points each. A fringe's order is its index unless the
// user gave it another one: two traced rings of one order (the wavefront turns
// over between them) are two fringes, each with its own 200 points.
// Points of a fringe are numbered from 1 in the order they were added.
// Indices 101..200 exist only so that files naming them can be read; every
// operation of the program visits fringes 0..100.
class FringeStore {
public:
    static constexpr int kFringeSlots = 201;  // fringe indices 0..200 addressable
    static constexpr int kFringesInUse = 101; // fringes 0..100 are used
    static constexpr int kMaxPointsPerFringe = 200;
    static constexpr int kMaxFringeOrder = kFringesInUse - 1; // orders 0..100 (shown 1..101)

    ApertureCircle aperture;
    ApertureCircle obstruction;

    // Number of points on fringe f (0..200); 0 for an index out of range.
    int pointCount(int fringe) const;
    // Position of point p (1..pointCount) of fringe f, image pixels.
    double pointX(int fringe, int point) const;
    double pointY(int fringe, int point) const;

    // Appends a point to fringe f; false (and nothing added) when the fringe
    // already holds 200 points or f is outside 0..200.
    bool addPoint(int fringe, double xPx, double yPx);
    // Moves point p (1..count) of fringe f.
    void setPoint(int fringe, int point, double xPx, double yPx);
    // Removes point p of fringe f; later points move down one place.
    void removePoint(int fringe, int point);

    // Order of fringe f (0-based like the index; height = order x waves per
    // fringe): its explicit order, else f itself.
    int fringeOrder(int fringe) const;
    // True when fringe f carries an order other than its index.
    bool hasExplicitOrder(int fringe) const;
    // True when a fringe among 0..100 that holds points has an explicit order.
    bool hasExplicitOrders() const;
    // Gives fringe f (0..200) the order `order` (0..kMaxFringeOrder); its own
    // index makes the order implicit again. False (nothing changed) outside
    // those ranges.
    bool setFringeOrder(int fringe, int order);

    // Empties fringe f (its points zeroed, count 0, its order its index).
    void clearFringe(int fringe);
    // Empties fringes 0..100; circles stay.
    void clearFringesInUse();
    // Everything to zero: all 201 fringes and both circles (new image).
    void reset();

    // Reverses the order of fringes 0..n-1 where n is the number of fringes
    // among 0..100 that hold points; returns n (0: nothing changed). Orders
    // are mirrored within the lowest..highest order of those fringes, so the
    // heights turn over as they do with implicit orders.
    int reverseFringeOrder();

    // Fringes among 0..100 that hold at least one point.
    int nonEmptyFringeCount() const;
    // Sum of the counts of fringes 0..100.
    int totalPointCount() const;
    // Every point of fringes 0..100 in file order (ascending fringe, then point).
    std::vector<FringePoint> pointsInUse() const;

    bool operator==(const FringeStore&) const = default;

private:
    struct Fringe {
        int count = 0;
        int order = -1;                                  // -1: the fringe's index
        std::array<double, kMaxPointsPerFringe + 1> x{}; // index 0 unused
        std::array<double, kMaxPointsPerFringe + 1> y{};
        bool operator==(const Fringe&) const = default;
    };
    static bool validFringe(int f) { return f >= 0 && f < kFringeSlots; }
    std::array<Fringe, kFringeSlots> fringes_{};
};

} // namespace lumi
