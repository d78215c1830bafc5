#pragma once

namespace lumi {

enum class PageOrientation { Portrait, Landscape };

// A size in any one unit (hundredths of a millimetre, device pixels, ...).
struct PageExtent {
    double width = 0.0;
    double height = 0.0;
};

// Where a captured picture goes on the page: the orientation to set and the
// drawn size, at the top-left corner of the printable area, in the unit of the
// printable area given.
struct FittedPicture {
    PageOrientation orientation = PageOrientation::Portrait;
    PageExtent drawn;
};

// Printing fitted to the page: landscape when the picture is wider than tall,
// otherwise portrait; then as large as fits the printable area of that
// orientation with the picture's aspect: ratio a = w / h against b = pw / ph,
// a >= b fills the width (pw x pw / a), otherwise the height (ph x a x ph).
// `portraitPrintable` is the printable area of a portrait page; a landscape page
// has it turned. Throws AnalysisError(InvalidGeometry) when a size is not
// positive and finite.
FittedPicture fitPictureToPage(PageExtent picture, PageExtent portraitPrintable);

// The same on a portrait page, whatever the picture's shape.
FittedPicture fitPictureToPortraitPage(PageExtent picture, PageExtent portraitPrintable);

} // namespace lumi
