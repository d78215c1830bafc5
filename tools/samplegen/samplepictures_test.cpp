// Checks the committed pictures against the recipes: a picture regenerated from another
// recipe, saved in the wrong format or left out of the resource file would give the
// accuracy tests wrong known answers.

#include "tools/samplegen/photorenderer.h"
#include "tools/samplegen/samplecatalogue.h"

#include <QImage>
#include <QString>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <sstream>

namespace lumi {
namespace {

std::string sourcePath(const std::string& relative) {
    return std::string(LUMI_SOURCE_DIR) + "/" + relative;
}

class StoredSample : public ::testing::TestWithParam<int> {
protected:
    SampleRecipe recipe() const { return sampleCatalogue()[static_cast<std::size_t>(GetParam())]; }
};

TEST_P(StoredSample, FileHasTheRecordedSizeAndFormat) {
    const SampleRecipe r = recipe();
    const QImage img(QString::fromStdString(sourcePath("resources/samples/" + r.fileName)));
    ASSERT_FALSE(img.isNull()) << r.fileName << " missing or unreadable";
    EXPECT_EQ(img.width(), r.widthPx);
    EXPECT_EQ(img.height(), r.heightPx);
    if (r.format == PictureFormat::IndexedBmp) {
        EXPECT_EQ(img.format(), QImage::Format_Indexed8);
        EXPECT_EQ(img.colorCount(), 256);
    }
}

// The brightness of the stored picture must follow the recipe's fringes: correlate it with
// the noise-free light inside the clear pupil.
TEST_P(StoredSample, FringesMatchTheRecordedWavefront) {
    const SampleRecipe r = recipe();
    const QImage img(QString::fromStdString(sourcePath("resources/samples/" + r.fileName)));
    ASSERT_FALSE(img.isNull());
    const std::vector<double> clean = PhotoRenderer().lightPlane(r, true);
    double sa = 0, sb = 0, saa = 0, sbb = 0, sab = 0;
    int n = 0;
    for (int y = 0; y < r.heightPx; y += 2) {
        for (int x = 0; x < r.widthPx; x += 2) {
            const double d = std::hypot(x - r.apertureXPx, y - r.apertureYPx);
            const double dObs = std::hypot(x - r.obstructionXPx, y - r.obstructionYPx);
            if (d > 0.95 * r.apertureRadiusPx || dObs < r.obstructionRadiusPx + 5.0) {
                continue;
            }
            const QRgb p = img.pixel(x, y);
            const double a = std::max({qRed(p), qGreen(p), qBlue(p)});
            const double b =
                clean[static_cast<std::size_t>(y) * static_cast<std::size_t>(r.widthPx) +
                      static_cast<std::size_t>(x)];
            sa += a;
            sb += b;
            saa += a * a;
            sbb += b * b;
            sab += a * b;
            ++n;
        }
    }
    const double cov = sab / n - (sa / n) * (sb / n);
    const double corr =
        cov / std::sqrt((saa / n - (sa / n) * (sa / n)) * (sbb / n - (sb / n) * (sb / n)));
    EXPECT_GT(corr, 0.7) << r.fileName;
}

TEST_P(StoredSample, IsListedInTheResourceFile) {
    const SampleRecipe r = recipe();
    std::ifstream file(sourcePath("resources/samples.qrc"));
    ASSERT_TRUE(file);
    std::stringstream text;
    text << file.rdbuf();
    EXPECT_NE(
        text.str().find("<file alias=\"" + r.fileName + "\">samples/" + r.fileName + "</file>"),
        std::string::npos);
    EXPECT_NE(text.str().find("prefix=\"/samples\""), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(AllEight, StoredSample, ::testing::Range(0, 8),
                         [](const auto& i) { return "sample" + std::to_string(i.param + 1); });

} // namespace
} // namespace lumi
