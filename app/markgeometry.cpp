#include "app/markgeometry.h"

namespace lumi {

bool isInsideAnnulus(const FringeStore& store, double xPx, double yPx) {
    return isInsideAnnulus(store.aperture, store.obstruction, xPx, yPx);
}

bool acceptsClickedPoint(const FringeStore& store, double xPx, double yPx) {
    const ApertureCircle& a = store.aperture;
    const ApertureCircle& o = store.obstruction;
    const double dax = a.centerXPx - xPx;
    const double day = a.centerYPx - yPx;
    const double dox = o.centerXPx - xPx;
    const double doy = o.centerYPx - yPx;
    return dax * dax + day * day <= a.radiusPx * a.radiusPx &&
           dox * dox + doy * doy >= o.radiusPx * o.radiusPx;
}

bool hitsPoint(double xPx, double yPx, double clickXPx, double clickYPx) {
    const auto x = static_cast<float>(xPx);
    const auto y = static_cast<float>(yPx);
    const auto cx = static_cast<float>(clickXPx);
    const auto cy = static_cast<float>(clickYPx);
    return x - 4.0f < cx && cx < x + 4.0f && y - 4.0f < cy && cy < y + 4.0f;
}

} // namespace lumi
