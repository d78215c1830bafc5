#include "phase/pupilfinder.h"

#include "phase/phaseerror.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <numbers>
#include <optional>

namespace lumi::phase {
namespace {

struct Point {
    double x;
    double y;
};

double median(std::vector<double> v) {
    if (v.empty())
        return 0.0;
    auto mid = v.begin() + static_cast<std::ptrdiff_t>(v.size() / 2);
    std::nth_element(v.begin(), mid, v.end());
    return *mid;
}

// Algebraic circle fit (x^2 + y^2 + D x + E y + F = 0) by least squares.
std::optional<ApertureCircle> fitCircle(const std::vector<Point>& pts) {
    if (pts.size() < 3)
        return std::nullopt;
    double mx = 0.0, my = 0.0;
    for (const Point& p : pts) {
        mx += p.x;
        my += p.y;
    }
    mx /= static_cast<double>(pts.size());
    my /= static_cast<double>(pts.size());
    // Centred coordinates keep the 3 x 3 system well scaled.
    double suu = 0, suv = 0, svv = 0, su = 0, sv = 0, suz = 0, svz = 0, sz = 0;
    for (const Point& p : pts) {
        const double u = p.x - mx, v = p.y - my, z = u * u + v * v;
        suu += u * u;
        suv += u * v;
        svv += v * v;
        su += u;
        sv += v;
        suz += u * z;
        svz += v * z;
        sz += z;
    }
    const double n = static_cast<double>(pts.size());
    std::array<std::array<double, 4>, 3> a{
        {{suu, suv, su, -suz}, {suv, svv, sv, -svz}, {su, sv, n, -sz}}};
    for (int c = 0; c < 3; ++c) {
        int pivot = c;
        for (int r = c + 1; r < 3; ++r)
            if (std::fabs(a[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)]) >
                std::fabs(a[static_cast<std::size_t>(pivot)][static_cast<std::size_t>(c)]))
                pivot = r;
        std::swap(a[static_cast<std::size_t>(c)], a[static_cast<std::size_t>(pivot)]);
        const double d = a[static_cast<std::size_t>(c)][static_cast<std::size_t>(c)];
        if (std::fabs(d) < 1e-12)
            return std::nullopt;
        for (int r = 0; r < 3; ++r) {
            if (r == c)
                continue;
            const double f = a[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)] / d;
            for (int k = c; k < 4; ++k)
                a[static_cast<std::size_t>(r)][static_cast<std::size_t>(k)] -=
                    f * a[static_cast<std::size_t>(c)][static_cast<std::size_t>(k)];
        }
    }
    const double D = a[0][3] / a[0][0], E = a[1][3] / a[1][1], F = a[2][3] / a[2][2];
    const double r2 = 0.25 * (D * D + E * E) - F;
    if (!(r2 > 0.0))
        return std::nullopt;
    return ApertureCircle{mx - 0.5 * D, my - 0.5 * E, std::sqrt(r2)};
}

// Circle fit leaving out points more than 3 robust deviations off, three rounds.
std::optional<ApertureCircle> robustCircle(std::vector<Point> pts) {
    std::optional<ApertureCircle> c = fitCircle(pts);
    for (int round = 0; round < 3 && c; ++round) {
        std::vector<double> dev;
        for (const Point& p : pts)
            dev.push_back(
                std::fabs(std::hypot(p.x - c->centerXPx, p.y - c->centerYPx) - c->radiusPx));
        const double sigma = 1.4826 * median(dev) + 0.05;
        std::vector<Point> kept;
        for (std::size_t i = 0; i < pts.size(); ++i)
            if (dev[i] <= 3.0 * sigma)
                kept.push_back(pts[i]);
        if (kept.size() == pts.size())
            break;
        pts = std::move(kept);
        c = fitCircle(pts);
    }
    return c;
}

// Otsu's level over a 256-bin histogram from 0 to `top`.
double otsuLevel(const std::vector<float>& v, double top) {
    std::array<double, 256> hist{};
    for (const float x : v)
        hist[static_cast<std::size_t>(
            std::clamp(static_cast<double>(x) / top * 255.0, 0.0, 255.0))] += 1.0;
    double total = 0.0, sumAll = 0.0;
    for (std::size_t i = 0; i < 256; ++i) {
        total += hist[i];
        sumAll += static_cast<double>(i) * hist[i];
    }
    double w0 = 0.0, sum0 = 0.0, best = -1.0;
    std::size_t level = 128;
    for (std::size_t i = 0; i < 256; ++i) {
        w0 += hist[i];
        sum0 += static_cast<double>(i) * hist[i];
        const double w1 = total - w0;
        if (w0 == 0.0 || w1 == 0.0)
            continue;
        const double m0 = sum0 / w0, m1 = (sumAll - sum0) / w1;
        const double between = w0 * w1 * (m0 - m1) * (m0 - m1);
        if (between > best) {
            best = between;
            level = i;
        }
    }
    return (static_cast<double>(level) + 0.5) / 255.0 * top;
}

} // namespace

FoundPupil findPupil(const std::vector<float>& m, int width, int height, double smoothingPx) {
    const auto w = static_cast<std::size_t>(width);
    const auto h = static_cast<std::size_t>(height);
    std::vector<float> sorted = m;
    auto topIt = sorted.begin() + static_cast<std::ptrdiff_t>(sorted.size() * 995 / 1000);
    std::nth_element(sorted.begin(), topIt, sorted.end());
    const double top = static_cast<double>(*topIt);
    if (!(top > 0.0))
        throw PhaseError(PhaseError::Kind::NoFringes,
                         "No fringes found: the picture has no contrast");
    const double level = otsuLevel(m, top);

    // Largest 4-connected region above the level.
    std::vector<std::int32_t> label(w * h, -1);
    std::vector<std::size_t> stack;
    std::size_t bestCount = 0;
    double bestX = 0.0, bestY = 0.0;
    std::int32_t next = 0;
    for (std::size_t start = 0; start < w * h; ++start) {
        if (label[start] >= 0 || static_cast<double>(m[start]) <= level)
            continue;
        std::size_t count = 0;
        double sx = 0.0, sy = 0.0;
        stack.push_back(start);
        label[start] = next;
        while (!stack.empty()) {
            const std::size_t i = stack.back();
            stack.pop_back();
            ++count;
            const std::size_t x = i % w, y = i / w;
            sx += static_cast<double>(x);
            sy += static_cast<double>(y);
            auto visit = [&](std::size_t j) {
                if (label[j] < 0 && static_cast<double>(m[j]) > level) {
                    label[j] = next;
                    stack.push_back(j);
                }
            };
            if (x > 0)
                visit(i - 1);
            if (x + 1 < w)
                visit(i + 1);
            if (y > 0)
                visit(i - w);
            if (y + 1 < h)
                visit(i + w);
        }
        if (count > bestCount) {
            bestCount = count;
            bestX = sx / static_cast<double>(count);
            bestY = sy / static_cast<double>(count);
        }
        ++next;
    }
    const double r0 = std::sqrt(static_cast<double>(bestCount) / std::numbers::pi);
    if (r0 < 8.0)
        throw PhaseError(PhaseError::Kind::NoFringes,
                         "No fringes found: no region of fringe contrast in the picture");

    // Levels inside and outside the first circle.
    std::vector<double> inside, outside;
    for (std::size_t y = 0; y < h; y += 2)
        for (std::size_t x = 0; x < w; x += 2) {
            const double r =
                std::hypot(static_cast<double>(x) - bestX, static_cast<double>(y) - bestY);
            const double v = static_cast<double>(m[y * w + x]);
            if (r < 0.7 * r0)
                inside.push_back(v);
            else if (r > 1.35 * r0)
                outside.push_back(v);
        }
    const double lin = median(inside);
    const double lout = outside.empty() ? 0.0 : median(outside);
    const double half = 0.5 * (lin + lout);
    if (!(lin > 2.0 * lout))
        throw PhaseError(
            PhaseError::Kind::NoFringes,
            "No fringes found: the fringe contrast inside the pupil hardly stands out");

    auto sample = [&](double x, double y) { // bilinear, 0 outside
        if (x < 0.0 || y < 0.0 || x > static_cast<double>(width - 1) ||
            y > static_cast<double>(height - 1))
            return 0.0;
        const auto x0 = static_cast<std::size_t>(x), y0 = static_cast<std::size_t>(y);
        const std::size_t x1 = std::min(x0 + 1, w - 1), y1 = std::min(y0 + 1, h - 1);
        const double fx = x - static_cast<double>(x0), fy = y - static_cast<double>(y0);
        return (1 - fy) * ((1 - fx) * m[y0 * w + x0] + fx * m[y0 * w + x1]) +
               fy * ((1 - fx) * m[y1 * w + x0] + fx * m[y1 * w + x1]);
    };
    constexpr int kRays = 360;
    constexpr double kStep = 0.5; // pixels along a ray
    const int smooth = std::max(1, static_cast<int>(std::lround(0.5 * smoothingPx / kStep)));
    // Smoothed modulation along the ray from (cx, cy) at angle a, 0 .. rMax.
    auto rayProfile = [&](double cx, double cy, double a, double rMax) {
        const auto steps = static_cast<std::size_t>(rMax / kStep) + 2;
        std::vector<double> raw(steps), out(steps);
        // Three neighbouring rays averaged: speckle in the map evens out.
        const double dirs[3][2] = {{std::cos(a - 0.006), std::sin(a - 0.006)},
                                   {std::cos(a), std::sin(a)},
                                   {std::cos(a + 0.006), std::sin(a + 0.006)}};
        for (std::size_t s = 0; s < steps; ++s) {
            const double r = static_cast<double>(s) * kStep;
            double sum = 0.0;
            for (const auto& d : dirs)
                sum += sample(cx + r * d[0], cy + r * d[1]);
            raw[s] = sum / 3.0;
        }
        const auto sm = static_cast<std::size_t>(smooth);
        std::vector<double> running(steps + 1, 0.0); // running[s] = raw[0] + ... + raw[s - 1]
        for (std::size_t s = 0; s < steps; ++s)
            running[s + 1] = running[s] + raw[s];
        for (std::size_t s = 0; s < steps; ++s) {
            const std::size_t lo = s >= sm ? s - sm : 0;
            const std::size_t hi = std::min(steps - 1, s + sm);
            out[s] = (running[hi + 1] - running[lo]) / static_cast<double>(hi - lo + 1);
        }
        return out;
    };
    auto mean = [](const std::vector<double>& p, double from, double to) {
        const auto s0 = static_cast<std::size_t>(std::max(from, 0.0) / kStep);
        const auto s1 = std::min(p.size() - 1, static_cast<std::size_t>(std::max(to, 0.0) / kStep));
        double sum = 0.0;
        for (std::size_t s = s0; s <= s1; ++s)
            sum += p[s];
        return s1 >= s0 ? sum / static_cast<double>(s1 - s0 + 1) : 0.0;
    };
    // Where the profile crosses `level` between r0 and r1: searched from the side
    // of `fromOutside`; linear between samples. Negative when it does not.
    auto crossing = [&](const std::vector<double>& p, double lv, double from, double to,
                        bool fromOutside) {
        const auto s0 = static_cast<std::size_t>(std::max(from, 0.0) / kStep);
        const auto s1 = std::min(p.size() - 2, static_cast<std::size_t>(std::max(to, 0.0) / kStep));
        auto at = [&](std::size_t s) {
            const double a0 = p[s] - lv, a1 = p[s + 1] - lv;
            return (static_cast<double>(s) + a0 / (a0 - a1)) * kStep;
        };
        if (fromOutside) {
            for (std::size_t s = s1 + 1; s-- > s0;)
                if (p[s] >= lv && p[s + 1] < lv)
                    return at(s);
        } else {
            for (std::size_t s = s0; s <= s1; ++s)
                if (p[s] < lv && p[s + 1] >= lv)
                    return at(s);
        }
        return -1.0;
    };

    // First circle: one level for the whole picture.
    std::vector<Point> outer;
    for (int k = 0; k < kRays; ++k) {
        const double a = 2.0 * std::numbers::pi * k / kRays;
        const double rMax = 1.5 * r0 + 2.0 * smoothingPx;
        const std::vector<double> p = rayProfile(bestX, bestY, a, rMax);
        const double r = crossing(p, half, 0.0, rMax, true);
        if (r > 0.0)
            outer.push_back({bestX + r * std::cos(a), bestY + r * std::sin(a)});
    }
    std::optional<ApertureCircle> ap = robustCircle(outer);
    if (!ap || outer.size() < kRays / 2)
        throw PhaseError(PhaseError::Kind::NoFringes,
                         "No fringes found: the edge of the fringe area is not a circle");

    // Then on each ray the level half-way between the light just inside and just
    // outside that edge, as uneven light makes one level too high on the dim side.
    const double band = std::max(1.3 * smoothingPx, 0.02 * ap->radiusPx);
    std::vector<Point> edge;
    std::vector<Point> inner;
    std::vector<double> innerLevels;
    for (int k = 0; k < kRays; ++k) {
        const double a = 2.0 * std::numbers::pi * k / kRays;
        const double R = ap->radiusPx;
        const std::vector<double> p = rayProfile(ap->centerXPx, ap->centerYPx, a, R + 2.5 * band);
        // The light inside is extrapolated to the edge along its trend (the beam
        // falls off towards the rim), the surround taken as flat.
        const double nearIn = mean(p, R - 2.0 * band, R - band);
        const double farIn = mean(p, R - 3.0 * band, R - 2.0 * band);
        const double edgeLevel = 0.5 * (std::max(nearIn + 1.5 * (nearIn - farIn), 0.5 * nearIn) +
                                        mean(p, R + band, R + 2.0 * band));
        const double r = crossing(p, edgeLevel, R - 1.5 * band, R + 1.5 * band, true);
        if (r > 0.0)
            edge.push_back({ap->centerXPx + r * std::cos(a), ap->centerYPx + r * std::sin(a)});
        // A dark centre: the first rise outwards to half the light round mid-radius.
        const double mid = mean(p, 0.4 * R, 0.6 * R);
        if (p[0] < 0.5 * mid) {
            const double ri = crossing(p, 0.5 * (mid + p[0]), 0.0, 0.8 * R, false);
            if (ri > 0.0)
                inner.push_back(
                    {ap->centerXPx + ri * std::cos(a), ap->centerYPx + ri * std::sin(a)});
        }
    }
    if (edge.size() >= kRays / 2)
        if (const std::optional<ApertureCircle> refined = robustCircle(edge))
            ap = refined;
    FoundPupil found;
    found.aperture = *ap;
    // An obstruction shows on most rays; a small centre mark is not one.
    if (inner.size() > kRays / 2) {
        const std::optional<ApertureCircle> ob = robustCircle(inner);
        if (ob && ob->radiusPx >= 0.08 * ap->radiusPx && ob->radiusPx < 0.8 * ap->radiusPx)
            found.obstruction = *ob;
    }
    return found;
}

} // namespace lumi::phase
