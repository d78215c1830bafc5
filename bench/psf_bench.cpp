// The PSF command's computation: pupil of a 128-interval grid into the
// 256 x 256 field, 512 transforms of 256 points, modulus and quadrant move.
// Run: build/bench/psf_bench --benchmark_min_time=0.5s

#include "bench/benchgrids.h"
#include "optics/fieldtransform.h"
#include "optics/fourier.h"
#include "optics/pointspreadfunction.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

using namespace lumi;

using bench::aberratedGrid;

void BM_PsfCommand(benchmark::State& state) {
    const auto grid = aberratedGrid(static_cast<int>(state.range(0)));
    auto field = std::make_unique<ComplexField>();
    FieldTransform transform;
    for (auto _ : state) {
        auto psf = computePointSpreadFunction(*grid, *field, transform);
        benchmark::DoNotOptimize(psf.peak);
    }
}
BENCHMARK(BM_PsfCommand)->Arg(32)->Arg(128)->Unit(benchmark::kMillisecond);

// The 2-D transform alone (what numpy.fft.fft2 does on 256 x 256).
void BM_Transform2d256(benchmark::State& state) {
    auto field = std::make_unique<ComplexField>();
    for (int r = 0; r < 256; ++r) {
        for (int c = 0; c < 256; ++c) {
            field->real(r, c) = (r * 7 + c * 3) % 11 * 0.1;
        }
    }
    FieldTransform transform;
    for (auto _ : state) {
        transform.transform2d(*field, 256);
        benchmark::DoNotOptimize(field->real(1, 1));
    }
}
BENCHMARK(BM_Transform2d256)->Unit(benchmark::kMillisecond);

// The same 512 transforms done line by line through Fourier, as a baseline.
void BM_Transform2d256LineByLine(benchmark::State& state) {
    auto field = std::make_unique<ComplexField>();
    auto f = std::make_unique<Fourier>();
    f->sampleCount = 256;
    for (auto _ : state) {
        for (int i = 0; i < 256; ++i) {
            for (int k = 0; k < 256; ++k) {
                f->inputReal[static_cast<std::size_t>(k)] = field->real(k, i);
                f->inputImag[static_cast<std::size_t>(k)] = field->imag(k, i);
            }
            f->transform();
            for (int k = 0; k < 256; ++k) {
                field->real(k, i) = f->outputReal[static_cast<std::size_t>(k)];
                field->imag(k, i) = f->outputImag[static_cast<std::size_t>(k)];
            }
        }
        for (int m = 0; m < 256; ++m) {
            for (int k = 0; k < 256; ++k) {
                f->inputReal[static_cast<std::size_t>(k)] = field->real(m, k);
                f->inputImag[static_cast<std::size_t>(k)] = field->imag(m, k);
            }
            f->transform();
            for (int k = 0; k < 256; ++k) {
                field->real(m, k) = f->outputReal[static_cast<std::size_t>(k)];
                field->imag(m, k) = f->outputImag[static_cast<std::size_t>(k)];
            }
        }
        benchmark::DoNotOptimize(field->real(1, 1));
    }
}
BENCHMARK(BM_Transform2d256LineByLine)->Unit(benchmark::kMillisecond);

} // namespace
