#pragma once

#include "optics/psfoptions.h"
#include "optics/render/surfacebackground.h"

namespace lumi {

// The drawing choices of the PSF page.
struct PsfPlotOptions {
    bool greyScale = false; // "Show as": "False color" or "Grey scale"
    PsfNormalisation normalisation = PsfNormalisation::UnaberratedPsf;
    double strehl = 1.0; // the analysis' Strehl ratio, for "Unaberrated PSF"
    SurfaceBackground background = SurfaceBackground::Black; // "Backcolor"
    bool solid = false;       // "Plot": "Solid", or "Transparent" when false
    bool reportStyle = false; // the graphical report's map: band 1 from (0, 0, 30), f from 0
};

} // namespace lumi
