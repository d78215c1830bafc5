#include "optics/render/userscale.h"

#include "analysis/analysiserror.h"

#include <algorithm>
#include <cmath>

namespace lumi {

UserScale::UserScale(const QRectF& device, double left, double top, double right, double bottom)
    : device_(device), left_(left), top_(top), pxPerUnitX_(0.0), pxPerUnitY_(0.0) {
    const double width = right - left;
    const double height = bottom - top;
    if (!std::isfinite(width) || !std::isfinite(height) || width == 0.0 || height == 0.0)
        throw AnalysisError(AnalysisError::Kind::NonFinite,
                            "The plot cannot be drawn: its scale has no extent.");
    pxPerUnitX_ = device.width() / width;
    pxPerUnitY_ = device.height() / height;
}

QRect UserScale::pixelBox(double x1, double y1, double x2, double y2) const {
    const double ax = std::nearbyint(toDeviceX(x1));
    const double bx = std::nearbyint(toDeviceX(x2));
    const double ay = std::nearbyint(toDeviceY(y1));
    const double by = std::nearbyint(toDeviceY(y2));
    // Clamp far outside values so the int conversion stays defined.
    auto clampPx = [](double v) { return static_cast<int>(std::clamp(v, -1.0e6, 1.0e6)); };
    const int left = clampPx(std::min(ax, bx));
    const int right = clampPx(std::max(ax, bx));
    const int top = clampPx(std::min(ay, by));
    const int bottom = clampPx(std::max(ay, by));
    return QRect(left, top, right - left, bottom - top);
}

} // namespace lumi
