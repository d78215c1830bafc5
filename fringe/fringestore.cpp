#include "fringe/fringestore.h"

#include <algorithm>
#include <cassert>

namespace lumi {

int FringeStore::pointCount(int fringe) const {
    return validFringe(fringe) ? fringes_[static_cast<std::size_t>(fringe)].count : 0;
}

double FringeStore::pointX(int fringe, int point) const {
    assert(validFringe(fringe) && point >= 1 && point <= kMaxPointsPerFringe);
    return fringes_[static_cast<std::size_t>(fringe)].x[static_cast<std::size_t>(point)];
}

double FringeStore::pointY(int fringe, int point) const {
    assert(validFringe(fringe) && point >= 1 && point <= kMaxPointsPerFringe);
    return fringes_[static_cast<std::size_t>(fringe)].y[static_cast<std::size_t>(point)];
}

bool FringeStore::addPoint(int fringe, double xPx, double yPx) {
    if (!validFringe(fringe))
        return false;
    Fringe& fr = fringes_[static_cast<std::size_t>(fringe)];
    if (fr.count >= kMaxPointsPerFringe)
        return false;
    ++fr.count;
    fr.x[static_cast<std::size_t>(fr.count)] = xPx;
    fr.y[static_cast<std::size_t>(fr.count)] = yPx;
    return true;
}

void FringeStore::setPoint(int fringe, int point, double xPx, double yPx) {
    assert(validFringe(fringe) && point >= 1 && point <= pointCount(fringe));
    Fringe& fr = fringes_[static_cast<std::size_t>(fringe)];
    fr.x[static_cast<std::size_t>(point)] = xPx;
    fr.y[static_cast<std::size_t>(point)] = yPx;
}

void FringeStore::removePoint(int fringe, int point) {
    if (!validFringe(fringe))
        return;
    Fringe& fr = fringes_[static_cast<std::size_t>(fringe)];
    if (point < 1 || point > fr.count)
        return;
    for (int p = point; p < fr.count; ++p) {
        fr.x[static_cast<std::size_t>(p)] = fr.x[static_cast<std::size_t>(p + 1)];
        fr.y[static_cast<std::size_t>(p)] = fr.y[static_cast<std::size_t>(p + 1)];
    }
    fr.x[static_cast<std::size_t>(fr.count)] = 0.0;
    fr.y[static_cast<std::size_t>(fr.count)] = 0.0;
    --fr.count;
}

int FringeStore::fringeOrder(int fringe) const {
    if (!validFringe(fringe))
        return fringe;
    const int order = fringes_[static_cast<std::size_t>(fringe)].order;
    return order < 0 ? fringe : order;
}

bool FringeStore::hasExplicitOrder(int fringe) const {
    return validFringe(fringe) && fringes_[static_cast<std::size_t>(fringe)].order >= 0;
}

bool FringeStore::hasExplicitOrders() const {
    for (int f = 0; f < kFringesInUse; ++f)
        if (pointCount(f) > 0 && hasExplicitOrder(f))
            return true;
    return false;
}

bool FringeStore::setFringeOrder(int fringe, int order) {
    if (!validFringe(fringe) || order < 0 || order > kMaxFringeOrder)
        return false;
    fringes_[static_cast<std::size_t>(fringe)].order = order == fringe ? -1 : order;
    return true;
}

void FringeStore::clearFringe(int fringe) {
    if (validFringe(fringe))
        fringes_[static_cast<std::size_t>(fringe)] = Fringe{};
}

void FringeStore::clearFringesInUse() {
    for (int f = 0; f < kFringesInUse; ++f)
        clearFringe(f);
}

void FringeStore::reset() {
    fringes_.fill(Fringe{});
    aperture = {};
    obstruction = {};
}

int FringeStore::reverseFringeOrder() {
    const int n = nonEmptyFringeCount();
    if (n == 0)
        return 0;
    std::array<int, kFringesInUse> before{};
    int lowest = kMaxFringeOrder;
    int highest = 0;
    for (int f = 0; f < n; ++f) {
        before[static_cast<std::size_t>(f)] = fringeOrder(f);
        lowest = std::min(lowest, fringeOrder(f));
        highest = std::max(highest, fringeOrder(f));
    }
    std::reverse(fringes_.begin(), fringes_.begin() + n);
    // With implicit orders 0..n-1 this gives new fringe k the order k again.
    for (int f = 0; f < n; ++f)
        setFringeOrder(f, lowest + highest - before[static_cast<std::size_t>(n - 1 - f)]);
    return n;
}

int FringeStore::nonEmptyFringeCount() const {
    return static_cast<int>(std::count_if(fringes_.begin(), fringes_.begin() + kFringesInUse,
                                          [](const Fringe& f) { return f.count != 0; }));
}

int FringeStore::totalPointCount() const {
    int total = 0;
    for (int f = 0; f < kFringesInUse; ++f)
        total += fringes_[static_cast<std::size_t>(f)].count;
    return total;
}

std::vector<FringePoint> FringeStore::pointsInUse() const {
    std::vector<FringePoint> out;
    out.reserve(static_cast<std::size_t>(totalPointCount()));
    for (int f = 0; f < kFringesInUse; ++f)
        for (int p = 1; p <= pointCount(f); ++p)
            out.push_back({f, pointX(f, p), pointY(f, p)});
    return out;
}

} // namespace lumi
