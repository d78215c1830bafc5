#pragma once

#include "analysis/measurement.h"
#include "analysis/syntheticheightmap.h"
#include "analysis/syntheticoptions.h"
#include "imaging/pixelgrid.h"

#include <functional>

namespace lumi {

// What a perfect surface of the target conic would show in the same test (same tilt
// and focus), and its fringe skeleton. Always on d = 128 cells; heights in waves at
// the input wavelength, over terms 1..highestTerm. Meaningful after an aspheric APPLY
// (in standard analysis the ideal coefficients are all 0).
class IdealInterferogram {
public:
    static constexpr int kGridSize = 128;
    // Colour of the ideal skeleton drawn over the synthetic picture, RGB(220, 220, 150).
    static constexpr PixelTriple kOverlayColour{150, 220, 220};

    struct Pictures {
        PixelGrid interferogram; // 129 x 129, shaded like the synthetic interferogram
        PixelGrid skeleton;      // 129 x 129, black dark-fringe centre lines on `background`
    };

    // "Update" heights: tilt (terms 1, 2) measured unless the synthetic "Tilt" box is
    // ticked, then ideal; power (3) never; every other term ideal.
    static SyntheticHeightMap idealHeights(const Measurement& m, const SyntheticOptions& options,
                                           const std::function<void(int)>& progress = {});

    // Overlay heights: tilt measured unless "Tilt" is ticked (then left out); power
    // measured unless "Power" is ticked (then left out); term 8 coefficients[8] -
    // ideal[8] with "Null Test" in aspheric analysis, else ideal; others ideal.
    static SyntheticHeightMap overlayHeights(const Measurement& m, const SyntheticOptions& options,
                                             const std::function<void(int)>& progress = {});

    // "Update": the shaded ideal interferogram and its skeleton. Throws
    // AnalysisError (waves per fringe 0, non-finite heights).
    static Pictures draw(const Measurement& m, const SyntheticOptions& options,
                         PixelTriple background = {255, 255, 255},
                         const std::function<void(int)>& progress = {});

    // "Overelay IDEAL map": marks the skeleton of the overlay heights in kOverlayColour
    // over `syntheticPicture` (a picture from SyntheticInterferogram::draw of any grid
    // size; the 128-cell skeleton is scaled onto it) without clearing it.
    static void drawOverlay(const Measurement& m, const SyntheticOptions& options,
                            PixelGrid& syntheticPicture,
                            const std::function<void(int)>& progress = {});
};

} // namespace lumi
