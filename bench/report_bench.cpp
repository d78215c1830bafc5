// The graphical report's update after APPLY (grid N = 32): its plots (128-point PSF, MTF,
// 128-cell synthetic interferogram) and the painted page, plus the reduction of a 6000 x 4000
// camera photo to the page's picture. Target: the whole update under 300 ms.
#include "analysis/wavefrontsampler.h"
#include "cli/offscreengui.h"
#include "optics/graphicalreportplots.h"
#include "report/render/graphicalreportpage.h"

#include <QImage>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

// Defocus, astigmatism and coma over a 2000-pixel aperture, sampled as APPLY does.
std::unique_ptr<lumi::Measurement> appliedMeasurement() {
    auto m = std::make_unique<lumi::Measurement>();
    m->store.aperture = {3000.0, 2000.0, 1900.0};
    m->settings.highestTerm = 24;
    m->results.coefficients[3] = 1.5;
    m->results.coefficients[4] = 0.3;
    m->results.coefficients[6] = 0.2;
    m->results.grid = *lumi::sampleWavefrontGrid(*m, 32);
    return m;
}

void BM_ReportPlots(benchmark::State& state) {
    const auto m = appliedMeasurement();
    auto field = std::make_unique<lumi::ComplexField>();
    lumi::FieldTransform transform;
    for (auto _ : state) {
        benchmark::DoNotOptimize(lumi::computeGraphicalReportPlots(
            *m, lumi::GraphicalReportChoices{}, *field, transform));
    }
}
BENCHMARK(BM_ReportPlots)->Unit(benchmark::kMillisecond);

void BM_ReportPage(benchmark::State& state) {
    const lumi::cli::OffscreenGui gui;
    const auto m = appliedMeasurement();
    auto field = std::make_unique<lumi::ComplexField>();
    lumi::FieldTransform transform;
    lumi::GraphicalReportContent content;
    content.plots =
        lumi::computeGraphicalReportPlots(*m, lumi::GraphicalReportChoices{}, *field, transform);
    content.interferogram = QImage(1200, 800, QImage::Format_RGB32);
    content.interferogram.fill(Qt::darkRed);
    for (auto _ : state) {
        benchmark::DoNotOptimize(lumi::graphicalReportImage(content));
    }
}
BENCHMARK(BM_ReportPage)->Unit(benchmark::kMillisecond);

void BM_PhotoToReportPicture(benchmark::State& state) {
    QImage photo(6000, 4000, QImage::Format_RGB32);
    photo.fill(Qt::darkRed);
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            photo.scaled(1200, 1200, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    }
}
BENCHMARK(BM_PhotoToReportPicture)->Unit(benchmark::kMillisecond);

} // namespace
