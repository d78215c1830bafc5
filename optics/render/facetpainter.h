#pragma once

#include "fringe/displaypreferences.h"
#include "optics/projectpoint.h"
#include "optics/render/userscale.h"

#include <array>

class QPainter;

namespace lumi {

// `Draw` of the 3-D surfaces: fills one facet, the polygon through its four projected corners
// converted from the plot's user scale to device pixels, with a solid fill and a one-pixel
// outline. Facets are painted in the order given, later ones covering earlier ones (no depth
// sorting). Keeps the painter's pen and brush between facets of the same colours.
class FacetPainter {
public:
    FacetPainter(QPainter& painter, const UserScale& scale);

    void draw(const std::array<ProjectedPoint, 4>& corners, RgbColor outline, RgbColor fill);

private:
    QPainter& painter_;
    const UserScale& scale_;
    bool haveColours_ = false;
    RgbColor outline_{};
    RgbColor fill_{};
};

} // namespace lumi
