#include "phase/modulationaperture.h"

#include "phase/phaseshifterror.h"

#include <Eigen/Dense>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace lumi::phase {
namespace {

struct EdgePoint {
    double x, y;
};

// Bilinear modulation at map position (x, y); 0 outside the map.
double modulationAt(const PhaseShiftMap& m, double x, double y) {
    if (!(x >= 0.0 && y >= 0.0 && x <= m.width - 1.0 && y <= m.height - 1.0))
        return 0.0;
    const int x0 = std::min(static_cast<int>(x), m.width - 2 < 0 ? 0 : m.width - 2);
    const int y0 = std::min(static_cast<int>(y), m.height - 2 < 0 ? 0 : m.height - 2);
    const double fx = x - x0, fy = y - y0;
    const auto at = [&m](int i, int j) {
        return static_cast<double>(
            m.modulation[static_cast<std::size_t>(j) * static_cast<std::size_t>(m.width) +
                         static_cast<std::size_t>(i)]);
    };
    const int x1 = std::min(x0 + 1, m.width - 1), y1 = std::min(y0 + 1, m.height - 1);
    return (1 - fy) * ((1 - fx) * at(x0, y0) + fx * at(x1, y0)) +
           fy * ((1 - fx) * at(x0, y1) + fx * at(x1, y1));
}

struct Circle {
    double cx, cy, r;
};

// Algebraic (Kasa) circle through the points: x^2 + y^2 + D x + E y + F = 0.
Circle fitCircle(const std::vector<EdgePoint>& pts) {
    Eigen::MatrixXd a(static_cast<Eigen::Index>(pts.size()), 3);
    Eigen::VectorXd b(static_cast<Eigen::Index>(pts.size()));
    for (std::size_t i = 0; i < pts.size(); ++i) {
        const auto row = static_cast<Eigen::Index>(i);
        a(row, 0) = pts[i].x;
        a(row, 1) = pts[i].y;
        a(row, 2) = 1.0;
        b(row) = -(pts[i].x * pts[i].x + pts[i].y * pts[i].y);
    }
    const Eigen::Vector3d s = a.colPivHouseholderQr().solve(b);
    const double cx = -s(0) / 2, cy = -s(1) / 2;
    return {cx, cy, std::sqrt(std::max(cx * cx + cy * cy - s(2), 0.0))};
}

} // namespace

ApertureCircle detectModulationAperture(const PhaseShiftMap& map, double thresholdGrey) {
    double sx = 0.0, sy = 0.0, count = 0.0;
    for (int j = 0; j < map.height; ++j)
        for (int i = 0; i < map.width; ++i)
            if (map.modulation[static_cast<std::size_t>(j) * static_cast<std::size_t>(map.width) +
                               static_cast<std::size_t>(i)] >= thresholdGrey) {
                sx += i;
                sy += j;
                count += 1.0;
            }
    if (count < 100.0)
        throw PhaseShiftError(PhaseShiftError::Kind::LowModulation,
                              "No pupil found: too few pixels show fringe modulation");
    const double cx0 = sx / count, cy0 = sy / count;
    const double r0 = std::sqrt(count / std::numbers::pi);

    constexpr int kRays = 720;
    constexpr double kStep = 0.25;
    std::vector<EdgePoint> edge;
    std::vector<double> inner;
    for (int ray = 0; ray < kRays; ++ray) {
        const double angle = 2.0 * std::numbers::pi * ray / kRays;
        const double dx = std::cos(angle), dy = std::sin(angle);
        inner.clear();
        for (double t = 0.75 * r0; t <= 0.9 * r0; t += 1.0)
            inner.push_back(modulationAt(map, cx0 + t * dx, cy0 + t * dy));
        if (inner.empty())
            continue;
        std::nth_element(inner.begin(),
                         inner.begin() + static_cast<std::ptrdiff_t>(inner.size() / 2),
                         inner.end());
        const double half = 0.5 * inner[inner.size() / 2];
        if (!(half >= 0.5 * thresholdGrey))
            continue; // a ray through a shadow
        // The first fall below half of the inner level, then the steepest descent
        // within 4 pixels of it (a beam that dims towards the rim moves the half-level
        // point inwards, the steepest point of the blurred edge stays on it).
        double crossing = -1.0;
        for (double t = 0.8 * r0; t <= 1.4 * r0; t += kStep)
            if (modulationAt(map, cx0 + t * dx, cy0 + t * dy) < half) {
                crossing = t;
                break;
            }
        if (crossing < 0.0)
            continue;
        const auto slope = [&](double t) {
            return modulationAt(map, cx0 + (t + 1.0) * dx, cy0 + (t + 1.0) * dy) -
                   modulationAt(map, cx0 + (t - 1.0) * dx, cy0 + (t - 1.0) * dy);
        };
        double best = crossing, bestSlope = slope(crossing);
        for (double t = crossing - 4.0; t <= crossing + 4.0; t += kStep) {
            const double g = slope(t);
            if (g < bestSlope) {
                bestSlope = g;
                best = t;
            }
        }
        // Parabola through the steepest sample and its neighbours.
        const double gm = slope(best - kStep), gp = slope(best + kStep);
        const double curvature = gm - 2.0 * bestSlope + gp;
        const double shift = curvature > 0.0 ? 0.5 * (gm - gp) / curvature : 0.0;
        const double at = best + std::clamp(shift, -1.0, 1.0) * kStep;
        edge.push_back({cx0 + at * dx, cy0 + at * dy});
    }
    if (edge.size() < 20)
        throw PhaseShiftError(PhaseShiftError::Kind::LowModulation,
                              "No pupil edge found in the modulation of the frames");

    Circle c = fitCircle(edge);
    for (int round = 0; round < 2; ++round) {
        std::vector<double> dev;
        dev.reserve(edge.size());
        for (const EdgePoint& p : edge)
            dev.push_back(std::abs(std::hypot(p.x - c.cx, p.y - c.cy) - c.r));
        std::vector<double> sorted = dev;
        std::nth_element(sorted.begin(),
                         sorted.begin() + static_cast<std::ptrdiff_t>(sorted.size() / 2),
                         sorted.end());
        const double limit = std::max(3.0 * 1.4826 * sorted[sorted.size() / 2], 0.5);
        std::vector<EdgePoint> kept;
        for (std::size_t i = 0; i < edge.size(); ++i)
            if (dev[i] <= limit)
                kept.push_back(edge[i]);
        if (kept.size() < 20)
            break;
        edge = kept;
        c = fitCircle(edge);
    }
    return {map.pictureX(c.cx), map.pictureY(c.cy), c.r * map.binFactor};
}

} // namespace lumi::phase
