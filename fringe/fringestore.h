#pragma once

#include "fringe/aperturecircle.h"
#include "fringe/fringepoint.h"

#include <array>
#include <vector>

namespace lumi {

// The digitised interferogram: aperture and obstruction circles and up to 101
// fringes of up to 200 points each. The fringe index is the fringe order.
// Points of a fringe are numbered from 1 in the order they were added.
// Indices 101..200 exist only so that files naming them can be read; every
// operation of the program visits fringes 0..100.
class FringeStore {
public:
    static constexpr int kFringeSlots = 201;  // fringe indices 0..200 addressable
    static constexpr int kFringesInUse = 101; // fringes 0..100 are used
    static constexpr int kMaxPointsPerFringe = 200;

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

    // Empties fringe f (its points zeroed, count 0).
    void clearFringe(int fringe);
    // Empties fringes 0..100; circles stay.
    void clearFringesInUse();
    // Everything to zero: all 201 fringes and both circles (new image).
    void reset();

    // Reverses the order of fringes 0..n-1 where n is the number of fringes
    // among 0..100 that hold points; returns n (0: nothing changed).
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
        std::array<double, kMaxPointsPerFringe + 1> x{}; // index 0 unused
        std::array<double, kMaxPointsPerFringe + 1> y{};
        bool operator==(const Fringe&) const = default;
    };
    static bool validFringe(int f) { return f >= 0 && f < kFringeSlots; }
    std::array<Fringe, kFringeSlots> fringes_{};
};

} // namespace lumi
