// Phase-shifting analysis of frame sets in memory, from the frames to the Zernike fit:
// 12 frames of 800 x 600 and 6 frames of 6000 x 4000 (binned 4 x 4 before the phase),
// with the steps given and estimated; and the per-pixel least squares alone at full
// size, the part bench/psi_numpy.py does in numpy. The frames: about ten fringes of
// tilt and defocus with astigmatism under an uneven Gaussian beam, a bright halo
// around the pupil, sensor noise, steps of 360 / N off by a few degrees.
#include "phase/phaseshiftanalysis.h"
#include "phase/phaseshiftsolver.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <map>
#include <numbers>
#include <utility>

namespace {

struct FrameSet {
    lumi::phase::PhaseFrames frames;
    std::vector<double> stepsRad;
    lumi::ApertureCircle aperture;
};

FrameSet makeFrameSet(int count, int width, int height) {
    FrameSet s;
    s.frames.width = width;
    s.frames.height = height;
    const double cx = 0.52 * width, cy = 0.49 * height, r = 0.42 * height;
    s.aperture = {cx, cy, r};
    std::uint32_t state = 20261209u;
    const auto noise = [&state] {
        state = state * 1664525u + 1013904223u;
        return static_cast<double>(state >> 8) / 16777216.0 - 0.5;
    };
    for (int k = 0; k < count; ++k) {
        const double step = 2.0 * std::numbers::pi * k / count + (k % 3 - 1) * 0.1;
        s.stepsRad.push_back(step);
        std::vector<std::uint8_t> f(static_cast<std::size_t>(width) *
                                    static_cast<std::size_t>(height));
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const double px = (x - cx) / r, py = (y - cy) / r;
                const double rho2 = px * px + py * py;
                double v = 8.0 + 40.0 * std::exp(-std::max(std::sqrt(rho2) - 1.0, 0.0) * 8.0);
                if (rho2 <= 1.0) {
                    const double w =
                        1.6 * px - 1.1 * py + 0.5 * (2 * rho2 - 1) + 0.12 * (px * px - py * py);
                    const double phi = 2.0 * std::numbers::pi * w / 0.5;
                    const double beam =
                        std::exp(-0.8 * ((px - 0.2) * (px - 0.2) + (py + 0.15) * (py + 0.15)));
                    v = beam * (110.0 + 90.0 * std::cos(phi - step));
                }
                v += 6.0 * noise();
                f[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                  static_cast<std::size_t>(x)] =
                    static_cast<std::uint8_t>(std::lround(std::clamp(v, 0.0, 255.0)));
            }
        s.frames.frames.push_back(std::move(f));
    }
    return s;
}

const FrameSet& frameSet(int count, int width, int height) {
    static std::map<std::tuple<int, int, int>, FrameSet> cache;
    const auto key = std::make_tuple(count, width, height);
    auto it = cache.find(key);
    if (it == cache.end())
        it = cache.emplace(key, makeFrameSet(count, width, height)).first;
    return it->second;
}

void runAnalysis(benchmark::State& state, int count, int width, int height, bool estimate) {
    const FrameSet& s = frameSet(count, width, height);
    lumi::phase::PhaseShiftRequest request;
    if (!estimate)
        request.stepsRad = s.stepsRad;
    request.aperture = s.aperture;
    for (auto _ : state) {
        const lumi::phase::PhaseShiftAnalysis a = lumi::phase::analysePhaseShift(s.frames, request);
        benchmark::DoNotOptimize(a.fit.coefficientsWaves[4]);
    }
}

void BM_Psi12Frames800x600Known(benchmark::State& state) {
    runAnalysis(state, 12, 800, 600, false);
}
void BM_Psi12Frames800x600Estimated(benchmark::State& state) {
    runAnalysis(state, 12, 800, 600, true);
}
void BM_Psi6Frames6000x4000Known(benchmark::State& state) {
    runAnalysis(state, 6, 6000, 4000, false);
}
void BM_Psi6Frames6000x4000Estimated(benchmark::State& state) {
    runAnalysis(state, 6, 6000, 4000, true);
}

void leastSquaresOnly(benchmark::State& state, int count, int width, int height) {
    const FrameSet& s = frameSet(count, width, height);
    for (auto _ : state) {
        const lumi::phase::PhaseShiftMap map = lumi::phase::solvePhaseShift(s.frames, s.stepsRad);
        benchmark::DoNotOptimize(map.phaseRad[map.phaseRad.size() / 2]);
    }
}
void BM_PsiLeastSquares12Frames800x600(benchmark::State& state) {
    leastSquaresOnly(state, 12, 800, 600);
}
void BM_PsiLeastSquares6Frames6000x4000(benchmark::State& state) {
    leastSquaresOnly(state, 6, 6000, 4000);
}

} // namespace

BENCHMARK(BM_Psi12Frames800x600Known)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Psi12Frames800x600Estimated)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PsiLeastSquares12Frames800x600)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Psi6Frames6000x4000Known)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_Psi6Frames6000x4000Estimated)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);
BENCHMARK(BM_PsiLeastSquares6Frames6000x4000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);
