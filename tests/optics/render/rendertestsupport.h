#pragma once
// Shared set-up of the render tests: a QGuiApplication for fonts, sampled grids with their
// peak, valley and range, and pixel helpers.

#include "analysis/wavefrontgrid.h"
#include "fringe/displaypreferences.h"

#include <QColor>
#include <QImage>

#include <functional>
#include <memory>
#include <ostream>

namespace lumi::rendertest {

// W(x, y) in waves on the nodes inside the unit circle (0 elsewhere), with peak, valley and
// range set as the sampler sets them.
std::unique_ptr<WavefrontGrid> makeGrid(int n, const std::function<double(double, double)>& w);

// Sets peak, valley and range of a grid from its nonzero nodes.
void updateExtremes(WavefrontGrid& grid);

// A blank ARGB image filled with `fill`.
QImage blankImage(int width, int height, QColor fill = QColor(255, 0, 255));

inline RgbColor pixel(const QImage& image, int x, int y) {
    const QColor c = image.pixelColor(x, y);
    return RgbColor{static_cast<std::uint8_t>(c.red()), static_cast<std::uint8_t>(c.green()),
                    static_cast<std::uint8_t>(c.blue())};
}

// Saves the image under LUMI_RENDER_TEST_OUT when that is set (to look at the plots).
void maybeSave(const QImage& image, const char* name);

} // namespace lumi::rendertest

namespace lumi {
void PrintTo(const RgbColor& c, std::ostream* os);
}
