#include "optics/render/plotimages.h"

#include "optics/render/mtfplot.h"
#include "optics/render/psfintensitybar.h"
#include "optics/render/psfmap.h"
#include "optics/render/psfsurface.h"
#include "optics/render/wavefrontmap.h"
#include "optics/render/wavefrontscalebar.h"

#include <QPainter>

namespace lumi {
namespace {

constexpr int kMargin = 20;
constexpr int kScaleWidth = 170; // bar and four-decimal labels
constexpr int kBarHeight = 64;   // intensity bar with two lines of labels

QImage whiteImage(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

} // namespace

QImage wavefrontMapImage(const WavefrontGrid& grid) {
    constexpr int kMap = 600;
    QImage image = whiteImage(kMargin + kMap + kMargin + kScaleWidth, kMap + 2 * kMargin);
    QPainter p(&image);
    const QRect map(kMargin, kMargin, kMap, kMap);
    paintWavefrontMap(p, map, grid);
    p.setPen(QColor(160, 160, 160));
    p.drawRect(map.adjusted(-1, -1, 0, 0));
    paintWavefrontScaleBar(p, QRect(map.right() + kMargin, kMargin, kScaleWidth, kMap), grid);
    return image;
}

QImage wavefrontSurfaceImage(const WavefrontGrid& grid, const WavefrontSurfaceOptions& options) {
    constexpr int kWidth = 720, kHeight = 660;
    QImage image = whiteImage(kWidth + kMargin + kScaleWidth, kHeight);
    QPainter p(&image);
    paintWavefrontSurface(p, QRect(0, 0, kWidth, kHeight), grid, options);
    paintWavefrontScaleBar(p, QRect(kWidth + kMargin, kMargin, kScaleWidth, kHeight - 2 * kMargin),
                           grid);
    return image;
}

QImage psfMapImage(const PointSpreadFunction& psf, const PsfPlotOptions& options) {
    constexpr int kMap = 512;
    QImage image = whiteImage(kMap + 2 * kMargin, kMap + 3 * kMargin + kBarHeight);
    QPainter p(&image);
    paintPsfMap(p, QRect(kMargin, kMargin, kMap, kMap), psf, options);
    paintPsfIntensityScale(p, QRect(kMargin, kMap + 2 * kMargin, kMap, kBarHeight),
                           options.greyScale);
    return image;
}

QImage psfSurfaceImage(const PointSpreadFunction& psf, const PsfPlotOptions& options) {
    constexpr int kWidth = 720, kHeight = 503;
    QImage image = whiteImage(kWidth, kHeight + 2 * kMargin + kBarHeight);
    QPainter p(&image);
    paintPsfSurface(p, QRect(0, 0, kWidth, kHeight), psf, options);
    paintPsfIntensityScale(p,
                           QRect(kMargin * 5, kHeight + kMargin, kWidth - kMargin * 10, kBarHeight),
                           options.greyScale);
    return image;
}

QImage mtfPlotImage(const ModulationTransfer& mtf) {
    QImage image = whiteImage(800, 600);
    QPainter p(&image);
    paintMtfPlot(p, image.rect(), mtf);
    return image;
}

} // namespace lumi
