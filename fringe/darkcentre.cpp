#include "fringe/darkcentre.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace lumi {

std::optional<DarkCentre> findDarkCentre(const BrightnessSampler& sampler, ImagePoint point,
                                         ImagePoint normal, double periodPx, double searchPx) {
    if (!(periodPx > 0.0) || !std::isfinite(periodPx) || !(searchPx > 0.0))
        return std::nullopt;
    const double spacing = std::max(periodPx / 16.0, 0.25);
    // The profile reaches past the search far enough to see both crests.
    const int search = std::max(2, static_cast<int>(std::floor(searchPx / spacing)));
    const int half = search + static_cast<int>(std::ceil(0.9 * periodPx / spacing));
    const ImagePoint along{-normal.yPx, normal.xPx};
    const double alongHalf = std::max(4.0, 0.5 * periodPx);
    const int alongSamples =
        std::clamp(static_cast<int>(std::lround(2.0 * alongHalf / 1.5)), 7, 15);

    std::vector<double> raw(static_cast<std::size_t>(2 * half + 1));
    for (int i = -half; i <= half; ++i) {
        const double t = i * spacing;
        raw[static_cast<std::size_t>(i + half)] =
            sampler.segmentMean({point.xPx + t * normal.xPx, point.yPx + t * normal.yPx}, along,
                                alongHalf, alongSamples);
    }
    // Smoothing of about an eighth of a period across: speckle, not the fringe.
    std::vector<double> v(raw.size());
    for (std::size_t i = 0; i < raw.size(); ++i) {
        double sum = 0.0;
        double weight = 0.0;
        for (int d = -2; d <= 2; ++d) {
            const auto j = static_cast<std::ptrdiff_t>(i) + d;
            if (j < 0 || j >= static_cast<std::ptrdiff_t>(raw.size()))
                continue;
            const double w = d == 0 ? 3.0 : (d == 1 || d == -1 ? 2.0 : 1.0);
            sum += w * raw[static_cast<std::size_t>(j)];
            weight += w;
        }
        v[i] = sum / weight;
    }
    auto value = [&](int i) { return v[static_cast<std::size_t>(i + half)]; };

    int darkest = -search;
    for (int i = -search; i <= search; ++i)
        if (value(i) < value(darkest))
            darkest = i;
    if (darkest == -search || darkest == search)
        return std::nullopt;

    // Least-squares parabola over the darkest sample and two on each side.
    double s0 = 0, s1 = 0, s2 = 0, s3 = 0, s4 = 0, b0 = 0, b1 = 0, b2 = 0;
    for (int d = -2; d <= 2; ++d) {
        const double y = value(darkest + d);
        const double x = d;
        s0 += 1;
        s1 += x;
        s2 += x * x;
        s3 += x * x * x;
        s4 += x * x * x * x;
        b0 += y;
        b1 += x * y;
        b2 += x * x * y;
    }
    // Symmetric abscissae: s1 = s3 = 0, so the linear term decouples.
    const double slope = b1 / s2;
    const double curvature = (s0 * b2 - s2 * b0) / (s0 * s4 - s2 * s2);
    double shift = 0.0;
    if (curvature > 0.0)
        shift = std::clamp(-slope / (2.0 * curvature), -1.0, 1.0);
    const double offset = (darkest + shift) * spacing;

    // Crests: the brightest samples a quarter to nine tenths of a period either side.
    const int near = static_cast<int>(std::ceil(0.25 * periodPx / spacing));
    const int far = static_cast<int>(std::floor(0.9 * periodPx / spacing));
    double left = 0.0;
    double right = 0.0;
    for (int d = near; d <= far; ++d) {
        left = std::max(left, value(std::max(darkest - d, -half)));
        right = std::max(right, value(std::min(darkest + d, half)));
    }
    DarkCentre c;
    c.point = {point.xPx + offset * normal.xPx, point.yPx + offset * normal.yPx};
    c.depthBrightness = std::max(0.0, std::min(left, right) - value(darkest));
    const int quarter = std::max(1, static_cast<int>(std::lround(0.25 * periodPx / spacing)));
    c.quarterRiseBrightness = std::max(0.0, std::min(value(std::max(darkest - quarter, -half)),
                                                     value(std::min(darkest + quarter, half))) -
                                                value(darkest));
    return c;
}

} // namespace lumi
