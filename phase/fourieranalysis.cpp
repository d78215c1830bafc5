#include "phase/fourieranalysis.h"

#include "common/numbertext.h"
#include "phase/greyimage.h"
#include "phase/phaseerror.h"
#include "phase/phaseunwrapper.h"
#include "phase/pupilfinder.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <string>

namespace lumi::phase {
namespace {

// The analysis grid is about this many pixels across: 37 terms need far fewer.
constexpr double kGridPixelsAcross = 700.0;
// Carrier periods (grid pixels) below which a finer grid is taken, and the period
// aimed at then.
constexpr double kShortestPeriod = 4.0;
constexpr double kAimedPeriod = 5.0;
// Carrier periods (grid pixels) above which a coarser grid is taken, down to this
// many pixels across the picture's longer side.
constexpr double kCoarsestPeriod = 7.0;
constexpr double kFewestPixelsAcross = 450.0;
constexpr float kMinFitQuality = 0.3f;

void report(const FourierOptions& o, double done, std::string_view step) {
    if (o.progress)
        o.progress(done, step);
}

std::string pixels(double v) {
    return formatFixed(v, 1);
}

void checkOptions(const PixelGrid& picture, const FourierOptions& o) {
    if (picture.width() < 32 || picture.height() < 32)
        throw PhaseError(PhaseError::Kind::BadInput,
                         "The picture of " + std::to_string(picture.width()) + " x " +
                             std::to_string(picture.height()) +
                             " pixels is too small for a whole-field analysis (32 x 32 at least)");
    if (o.termCount < 1 || o.termCount > 37)
        throw PhaseError(PhaseError::Kind::BadInput, "The number of Zernike terms " +
                                                         std::to_string(o.termCount) +
                                                         " is not within 1..37");
    if (!std::isfinite(o.wavesPerFringe) || o.wavesPerFringe == 0.0)
        throw PhaseError(PhaseError::Kind::BadInput,
                         "The waves per fringe must be a finite number other than 0");
    if (!(o.maxFailedShare >= 0.0 && o.maxFailedShare <= 1.0))
        throw PhaseError(PhaseError::Kind::BadInput,
                         "The limit of the share that may fail to unwrap is not within 0..1");
    if (o.aperture) {
        const ApertureCircle& a = *o.aperture;
        if (!(a.radiusPx >= 8.0) || !std::isfinite(a.radiusPx) || !(a.centerXPx >= 0.0) ||
            !(a.centerYPx >= 0.0) || !(a.centerXPx < picture.width()) ||
            !(a.centerYPx < picture.height()))
            throw PhaseError(
                PhaseError::Kind::NoPupil,
                "The aperture circle (" + pixels(a.centerXPx) + ", " + pixels(a.centerYPx) +
                    ", radius " + pixels(a.radiusPx) + ") must have its centre in the picture of " +
                    std::to_string(picture.width()) + " x " + std::to_string(picture.height()) +
                    " pixels and a radius of 8 pixels at least");
    }
    if (o.obstruction && o.obstruction->radiusPx > 0.0) {
        const ApertureCircle& b = *o.obstruction;
        const double ref = o.aperture ? o.aperture->radiusPx : 0.0;
        if (!std::isfinite(b.radiusPx) || !std::isfinite(b.centerXPx) ||
            !std::isfinite(b.centerYPx) || (ref > 0.0 && b.radiusPx >= 0.9 * ref))
            throw PhaseError(PhaseError::Kind::NoPupil, "The obstruction circle (radius " +
                                                            pixels(b.radiusPx) +
                                                            ") must be smaller than the aperture");
    }
    if (o.carrier && !(std::isfinite(o.carrier->fx) && std::isfinite(o.carrier->fy)))
        throw PhaseError(PhaseError::Kind::BadInput, "The carrier frequency is not a number");
}

struct Grid {
    int factor = 1;
    GreyImage grey;
    double toPicture(double g) const { return factor * g + 0.5 * (factor - 1); }
    double fromPicture(double p) const { return (p - 0.5 * (factor - 1)) / factor; }
    ApertureCircle circleToPicture(const ApertureCircle& c) const {
        return {toPicture(c.centerXPx), toPicture(c.centerYPx), c.radiusPx * factor};
    }
    ApertureCircle circleFromPicture(const ApertureCircle& c) const {
        return {fromPicture(c.centerXPx), fromPicture(c.centerYPx), c.radiusPx / factor};
    }
};

double median(std::vector<float> v) {
    if (v.empty())
        return 0.0;
    auto mid = v.begin() + static_cast<std::ptrdiff_t>(v.size() / 2);
    std::nth_element(v.begin(), mid, v.end());
    return static_cast<double>(*mid);
}

} // namespace

FourierResult analyseWholeField(const PixelGrid& picture, const FourierOptions& o) {
    checkOptions(picture, o);
    FourierResult res;
    report(o, 0.0, "Reading the picture");
    Grid grid;
    grid.factor =
        std::max(1, static_cast<int>(std::lround(std::max(picture.width(), picture.height()) /
                                                 kGridPixelsAcross)));
    std::vector<float> highPassed;
    // The grid of `factor` with its slow light (illumination, halo) taken off, so
    // it does not lift the low bins of the spectrum.
    auto prepare = [&](int factor) {
        grid.factor = factor;
        grid.grey = blockAveragedGrey(picture, factor);
        const int gw = grid.grey.width;
        const int gh = grid.grey.height;
        const std::vector<std::uint8_t> all(grid.grey.value.size(), 1);
        const std::vector<float> slow =
            maskedBoxMean(grid.grey.value, all, gw, gh, std::max(2, std::max(gw, gh) / 32));
        highPassed.resize(slow.size());
        for (std::size_t i = 0; i < slow.size(); ++i)
            highPassed[i] = grid.grey.value[i] - slow[i];
    };
    CarrierFrequency carrier; // cycles per grid pixel
    for (;;) {
        prepare(grid.factor);
        report(o, 0.1, "Finding the carrier fringes");
        if (o.carrier) {
            const double sum = o.carrier->fx + o.carrier->fy;
            const double sign = (sum < 0.0 || (sum == 0.0 && o.carrier->fx < 0.0)) ? -1.0 : 1.0;
            const CarrierFrequency near{sign * o.carrier->fx * grid.factor,
                                        sign * o.carrier->fy * grid.factor};
            carrier = findCarrier(highPassed, grid.grey.width, grid.grey.height, 6.0, &near);
        } else {
            carrier = findCarrier(highPassed, grid.grey.width, grid.grey.height);
        }
        const double period = 1.0 / std::hypot(carrier.fx, carrier.fy);
        if (period >= kShortestPeriod || grid.factor == 1) {
            // Long periods allow a coarser grid (fewer pixels to transform), as long
            // as the pupil keeps enough pixels for its edge.
            const int longest = std::max(picture.width(), picture.height());
            const int coarser = std::min(static_cast<int>(grid.factor * period / kCoarsestPeriod),
                                         static_cast<int>(longest / kFewestPixelsAcross));
            if (coarser >= grid.factor + 1 && coarser * 10 >= grid.factor * 13) {
                const double scale = static_cast<double>(coarser) / grid.factor;
                prepare(coarser);
                carrier = {carrier.fx * scale, carrier.fy * scale};
            }
            break;
        }
        const int finer = std::max(1, static_cast<int>(grid.factor * period / kAimedPeriod));
        grid.factor = std::min(finer, grid.factor - 1);
    }
    const int w = grid.grey.width;
    const int h = grid.grey.height;
    const double period = 1.0 / std::hypot(carrier.fx, carrier.fy);
    if (o.carrier && !(period > 2.0))
        throw PhaseError(PhaseError::Kind::NoSideLobe, "The carrier period of " +
                                                           pixels(period * grid.factor) +
                                                           " pixels is shorter than 2 pixels");

    // Aperture and obstruction on the grid.
    ApertureCircle ap;
    ApertureCircle ob;
    if (o.aperture) {
        ap = grid.circleFromPicture(*o.aperture);
        if (o.obstruction && o.obstruction->radiusPx > 0.0)
            ob = grid.circleFromPicture(*o.obstruction);
    } else {
        report(o, 0.25, "Finding the aperture");
        const std::vector<std::uint8_t> all(highPassed.size(), 1);
        const Demodulation rough = demodulate(highPassed, all, w, h, carrier, 0);
        const FoundPupil found = findPupil(rough.modulation, w, h, period);
        ap = found.aperture;
        ob = found.obstruction;
        if (o.obstruction)
            ob = o.obstruction->radiusPx > 0.0 ? grid.circleFromPicture(*o.obstruction)
                                               : ApertureCircle{};
        res.apertureFound = true;
    }
    res.aperture = grid.circleToPicture(ap);
    res.obstruction = ob.radiusPx > 0.0 ? grid.circleToPicture(ob) : ApertureCircle{};

    // The measured pixels: inside the aperture, outside the obstruction.
    const auto n = static_cast<std::size_t>(w) * static_cast<std::size_t>(h);
    std::vector<std::uint8_t> mask(n, 0);
    std::size_t maskCount = 0;
    const double inR2 = std::pow(std::max(ap.radiusPx - 0.5, 0.0), 2.0);
    const double obR2 = ob.radiusPx > 0.0 ? std::pow(ob.radiusPx + 0.5, 2.0) : -1.0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const double ax = x - ap.centerXPx, ay = y - ap.centerYPx;
            const double bx = x - ob.centerXPx, by = y - ob.centerYPx;
            const bool in = ax * ax + ay * ay <= inR2 && !(bx * bx + by * by < obR2);
            mask[static_cast<std::size_t>(y) * static_cast<std::size_t>(w) +
                 static_cast<std::size_t>(x)] = in ? 1 : 0;
            maskCount += in ? 1u : 0u;
        }
    if (maskCount < 64)
        throw PhaseError(PhaseError::Kind::NoPupil,
                         "The aperture (radius " + pixels(res.aperture.radiusPx) +
                             " pixels) holds too few pixels of the picture");

    // Background off and the fringe contrast evened out over about three periods
    // (a box of 3 periods nearly nulls the carrier, so little of it leaks in);
    // bright specks clipped.
    report(o, 0.35, "Removing the background");
    const int box = std::max(2, static_cast<int>(std::lround(1.5 * period)));
    const std::vector<float> background = maskedBoxMean(grid.grey.value, mask, w, h, box);
    std::vector<float> signal(n, 0.0f);
    std::vector<float> squares(n, 0.0f);
    for (std::size_t i = 0; i < n; ++i)
        if (mask[i]) {
            signal[i] = grid.grey.value[i] - background[i];
            squares[i] = signal[i] * signal[i];
        }
    const std::vector<float> power = maskedBoxMean(squares, mask, w, h, box);
    for (std::size_t i = 0; i < n; ++i)
        if (mask[i]) {
            const float rms = std::sqrt(power[i]);
            signal[i] = rms > 0.0f ? std::clamp(signal[i] / rms, -2.0f, 2.0f) : 0.0f;
        }

    report(o, 0.45, "Transforming");
    const Demodulation d = demodulate(signal, mask, w, h, carrier, o.gerchbergIterations);
    std::vector<float> inside;
    inside.reserve(maskCount);
    for (std::size_t i = 0; i < n; ++i)
        if (mask[i])
            inside.push_back(d.modulation[i]);
    const double typical = median(inside);
    if (!(typical > 0.0))
        throw PhaseError(PhaseError::Kind::NoFringes, "No fringes found inside the aperture");
    res.wrapped = PhaseField{w, h, d.phaseRad, std::vector<float>(n, 0.0f), mask};
    for (std::size_t i = 0; i < n; ++i)
        res.wrapped.quality[i] =
            std::min(1.0f, static_cast<float>(static_cast<double>(d.modulation[i]) / typical));

    report(o, 0.7, "Unwrapping");
    UnwrapResult u = unwrapPhase(res.wrapped);
    res.unwrappedShare = 1.0 - u.failedShare;
    if (u.failedShare > o.maxFailedShare)
        throw PhaseError(PhaseError::Kind::UnwrapFailed,
                         "Unwrapping failed over " + formatFixed(100.0 * u.failedShare, 1) +
                             " % of the pupil (at most " +
                             formatFixed(100.0 * o.maxFailedShare, 1) + " % may fail)");
    res.unwrapped = std::move(u.field);

    report(o, 0.85, "Fitting Zernike terms");
    res.placement = {0.5 * (grid.factor - 1), 0.5 * (grid.factor - 1),
                     static_cast<double>(grid.factor)};
    PupilPhaseFitInput fitIn;
    fitIn.aperture = res.aperture;
    fitIn.obstruction = res.obstruction;
    fitIn.wavesPerFringe = o.wavesPerFringe;
    fitIn.termCount = o.termCount;
    fitIn.invert = o.invert;
    fitIn.removeTilt = true;
    fitIn.placement = res.placement;
    fitIn.minQuality = kMinFitQuality;
    res.fit = fitPupilPhase(res.unwrapped, fitIn);

    res.carrier = {carrier.fx / grid.factor, carrier.fy / grid.factor};
    res.carrierPeriodPx = period * grid.factor;
    res.fringesAcrossPupil =
        static_cast<int>(std::lround(2.0 * res.aperture.radiusPx / res.carrierPeriodPx));
    report(o, 1.0, "Done");
    return res;
}

} // namespace lumi::phase
