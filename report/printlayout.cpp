#include "report/printlayout.h"

#include "analysis/analysiserror.h"

#include <cmath>

namespace lumi {
namespace {

bool usable(PageExtent e) {
    return std::isfinite(e.width) && std::isfinite(e.height) && e.width > 0.0 && e.height > 0.0;
}

FittedPicture fitOn(PageExtent picture, PageExtent portraitPrintable, PageOrientation orientation) {
    if (!usable(picture)) {
        throw AnalysisError(AnalysisError::Kind::InvalidGeometry,
                            "The picture to print has no area.");
    }
    if (!usable(portraitPrintable)) {
        throw AnalysisError(AnalysisError::Kind::InvalidGeometry,
                            "The printer reports no printable area.");
    }
    const PageExtent page = orientation == PageOrientation::Portrait
                                ? portraitPrintable
                                : PageExtent{portraitPrintable.height, portraitPrintable.width};
    const double a = picture.width / picture.height;
    const double b = page.width / page.height;
    FittedPicture fit;
    fit.orientation = orientation;
    fit.drawn =
        a >= b ? PageExtent{page.width, page.width / a} : PageExtent{page.height * a, page.height};
    return fit;
}

} // namespace

FittedPicture fitPictureToPage(PageExtent picture, PageExtent portraitPrintable) {
    return fitOn(picture, portraitPrintable,
                 picture.height < picture.width ? PageOrientation::Landscape
                                                : PageOrientation::Portrait);
}

FittedPicture fitPictureToPortraitPage(PageExtent picture, PageExtent portraitPrintable) {
    return fitOn(picture, portraitPrintable, PageOrientation::Portrait);
}

} // namespace lumi
