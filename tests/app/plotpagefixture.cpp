#include "plotpagefixture.h"

#include "analysis/applycommand.h"
#include "analysis/idealconicapply.h"
#include "common/numbertext.h"
#include "fringe/fringedatafile.h"

#include <gtest/gtest.h>

namespace lumi::pagetest {

std::unique_ptr<Measurement> analysedExample(const char* file, bool aspheric) {
    auto m = std::make_unique<Measurement>();
    const FringeDataFile data =
        FringeDataFile::readFile(std::string(LUMI_SOURCE_DIR) + "/examples/" + file);
    data.applyTo(m->store);
    m->settings.input.inputWavelengthNm = data.inputWavelengthNm;
    m->settings.input.outputWavelengthNm = data.outputWavelengthNm;
    m->settings.input.wavesPerFringe = static_cast<double>(data.wavesPerFringe);
    if (aspheric) {
        m->settings.input.analysisType = AnalysisType::Aspheric;
        m->settings.input.surfaceDiameterMm = 150.0;
        m->settings.input.curvatureRadiusMm = 1200.0;
        m->settings.input.targetConic = -1.0;
    }
    const ApplyOutcome out = runApply(*m, idealConicFor(m->settings));
    m->settings = out.settings;
    m->results = out.results;
    EXPECT_TRUE(m->results.analysisDone) << file;
    return m;
}

int countPixels(const QImage& image, const std::function<bool(QRgb)>& pred) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (pred(image.pixel(x, y))) {
                ++n;
            }
        }
    }
    return n;
}

int countColour(const QImage& image, QColor colour) {
    const QRgb wanted = colour.rgb();
    return countPixels(image, [wanted](QRgb p) { return (p & 0xffffffu) == (wanted & 0xffffffu); });
}

int countNonWhite(const QImage& image) {
    return countPixels(image, [](QRgb p) { return (p & 0xffffffu) != 0xffffffu; });
}

} // namespace lumi::pagetest
