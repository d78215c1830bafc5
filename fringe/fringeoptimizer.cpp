#include "fringe/fringeoptimizer.h"

#include "common/numbertext.h"
#include "fringe/annulus.h"
#include "fringe/windowsum.h"

#include <cmath>
#include <vector>

namespace lumi {

FringeOptimizer::Outcome FringeOptimizer::optimize(FringeStore& store, int fringe) const {
    const int n = store.pointCount(fringe);
    if (n > kMaxPoints)
        return Outcome::TooManyPoints;

    struct Copy {
        float x, y;   // the stored point in single precision
        float rx, ry; // and rounded to whole pixels
    };
    std::vector<Copy> copy(static_cast<std::size_t>(n) + 1); // index 0 unused
    for (int pass = 0; pass < kPasses; ++pass) {
        for (int i = 1; i <= n; ++i) {
            Copy& c = copy[static_cast<std::size_t>(i)];
            c.x = narrowToSingle(store.pointX(fringe, i));
            c.y = narrowToSingle(store.pointY(fringe, i));
            c.rx = std::nearbyint(c.x);
            c.ry = std::nearbyint(c.y);
        }
        for (int i = 1; i <= n; ++i) {
            const Copy& ci = copy[static_cast<std::size_t>(i)];
            // Nearest other point; the lowest index among equals.
            int nearest = 0;
            double nearestSq = 0.0;
            for (int j = 1; j <= n; ++j) {
                if (j == i)
                    continue;
                const Copy& cj = copy[static_cast<std::size_t>(j)];
                const double dx = static_cast<double>(cj.rx) - ci.rx;
                const double dy = static_cast<double>(cj.ry) - ci.ry;
                const double sq = dx * dx + dy * dy;
                if (nearest == 0 || sq < nearestSq) {
                    nearest = j;
                    nearestSq = sq;
                }
            }
            if (nearest == 0 || !(nearestSq > 0.0))
                continue;
            const Copy& cj = copy[static_cast<std::size_t>(nearest)];
            const double length = std::sqrt(nearestSq);
            const double nx = (static_cast<double>(ci.ry) - cj.ry) / length;
            const double ny = (static_cast<double>(cj.rx) - ci.rx) / length;

            int best = windowSum(picture_, store.pointX(fringe, i), store.pointY(fringe, i));
            int bestS = 0;
            for (int s = -1; s <= 1; ++s) {
                const int sum = windowSum(picture_, std::nearbyint(ci.rx + s * nx),
                                          std::nearbyint(ci.ry + s * ny));
                if (sum < best) {
                    best = sum;
                    bestS = s;
                }
            }
            const double x = std::nearbyint(ci.rx + bestS * nx);
            const double y = std::nearbyint(ci.ry + bestS * ny);
            if (isInsideAnnulus(store.aperture, store.obstruction, x, y))
                store.setPoint(fringe, i, x, y);
        }
    }
    return Outcome::Optimized;
}

} // namespace lumi
