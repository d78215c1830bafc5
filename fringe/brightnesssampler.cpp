#include "fringe/brightnesssampler.h"

#include "fringe/windowsum.h"

#include <cmath>

namespace lumi {

double BrightnessSampler::at(double xPx, double yPx) const {
    if (!(std::isfinite(xPx) && std::isfinite(yPx)))
        return 765.0;
    const double fx = std::floor(xPx);
    const double fy = std::floor(yPx);
    // Far outside: no integer conversion of huge values.
    if (fx < -1.0 || fy < -1.0 || fx > picture_.width() || fy > picture_.height())
        return 765.0;
    const int x0 = static_cast<int>(fx);
    const int y0 = static_cast<int>(fy);
    const double tx = xPx - fx;
    const double ty = yPx - fy;
    const double top =
        (1.0 - tx) * pixelBrightness(picture_, x0, y0) + tx * pixelBrightness(picture_, x0 + 1, y0);
    const double bottom = (1.0 - tx) * pixelBrightness(picture_, x0, y0 + 1) +
                          tx * pixelBrightness(picture_, x0 + 1, y0 + 1);
    return (1.0 - ty) * top + ty * bottom;
}

double BrightnessSampler::segmentMean(ImagePoint centre, ImagePoint along, double halfLengthPx,
                                      int samples) const {
    if (samples <= 1)
        return at(centre.xPx, centre.yPx);
    double sum = 0.0;
    for (int i = 0; i < samples; ++i) {
        const double s = halfLengthPx * (2.0 * i / (samples - 1) - 1.0);
        sum += at(centre.xPx + s * along.xPx, centre.yPx + s * along.yPx);
    }
    return sum / samples;
}

} // namespace lumi
