#include "plotpagefixture.h"

#include "common/numbertext.h"
#include "fringe/fringedatafile.h"

#include <gtest/gtest.h>

namespace lumi::pagetest {

std::unique_ptr<WorkspaceModel> analysedExample(const char* file, bool aspheric) {
    auto ws = std::make_unique<WorkspaceModel>();
    const FringeDataFile data =
        FringeDataFile::readFile(std::string(LUMI_SOURCE_DIR) + "/examples/" + file);
    data.applyTo(ws->store());
    AnalysisInput in;
    in.inputWavelengthNm = data.inputWavelengthNm;
    in.outputWavelengthNm = data.outputWavelengthNm;
    in.wavesPerFringe = static_cast<double>(data.wavesPerFringe);
    if (aspheric) {
        in.analysisType = AnalysisType::Aspheric;
        in.surfaceDiameterMm = 150.0;
        in.curvatureRadiusMm = 1200.0;
        in.targetConic = -1.0;
    }
    ws->apply(in, ZernikeCoefficients{});
    EXPECT_TRUE(ws->measurement().results.analysisDone) << file;
    return ws;
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
