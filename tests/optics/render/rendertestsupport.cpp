#include "rendertestsupport.h"

#include <QGuiApplication>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>

namespace lumi {
void PrintTo(const RgbColor& c, std::ostream* os) {
    *os << "(" << int(c.red) << ", " << int(c.green) << ", " << int(c.blue) << ")";
}
} // namespace lumi

namespace lumi::rendertest {
namespace {

// Text needs a QGuiApplication; the offscreen platform needs no display.
class GuiEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        app_ = std::make_unique<QGuiApplication>(argc_, argv_);
    }
    void TearDown() override { app_.reset(); }

private:
    int argc_ = 1;
    char name_[16] = "render_tests";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QGuiApplication> app_;
};

[[maybe_unused]] const auto* const kEnvironment =
    ::testing::AddGlobalTestEnvironment(new GuiEnvironment);

} // namespace

std::unique_ptr<WavefrontGrid> makeGrid(int n, const std::function<double(double, double)>& w) {
    auto grid = std::make_unique<WavefrontGrid>();
    grid->gridCount = n;
    for (int r = 0; r <= n; ++r)
        for (int c = 0; c <= n; ++c) {
            const double x = WavefrontGrid::nodeCoordinate(c, n);
            const double y = WavefrontGrid::nodeCoordinate(r, n);
            if (std::sqrt(x * x + y * y) <= 1.0) {
                grid->setInPupil(r, c, true);
                grid->at(r, c) = w(x, y);
            }
        }
    updateExtremes(*grid);
    return grid;
}

void updateExtremes(WavefrontGrid& grid) {
    grid.peak = WavefrontGrid::kNoPeak;
    grid.valley = WavefrontGrid::kNoValley;
    for (int r = 0; r <= grid.gridCount; ++r)
        for (int c = 0; c <= grid.gridCount; ++c) {
            const double v = grid.at(r, c);
            if (v == 0.0)
                continue;
            grid.peak = std::max(grid.peak, v);
            grid.valley = std::min(grid.valley, v);
        }
    grid.range = grid.peak - grid.valley;
    if (grid.range == 0.0)
        grid.range = 1e-9;
}

QImage blankImage(int width, int height, QColor fill) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(fill);
    return image;
}

void maybeSave(const QImage& image, const char* name) {
    const QByteArray dir = qgetenv("LUMI_RENDER_TEST_OUT");
    if (!dir.isEmpty())
        image.save(QString::fromLocal8Bit(dir) + QLatin1Char('/') + QLatin1String(name) +
                   QStringLiteral(".png"));
}

} // namespace lumi::rendertest
