#pragma once

#include "analysis/wavefrontgrid.h"
#include "optics/modulationtransfer.h"
#include "optics/pointspreadfunction.h"
#include "optics/render/psfplotoptions.h"
#include "optics/render/wavefrontsurface.h"

#include <QImage>

namespace lumi {

// Stand-alone pictures of the plots at a size fit for a report page, white around the plot.
// Each throws AnalysisError like the painter it uses; text needs a QGuiApplication.

// The wavefront map (600 x 600) with the colour scale to its right.
QImage wavefrontMapImage(const WavefrontGrid& grid);
// The 3-D surface (720 x 660, the scale's aspect) with the colour scale to its right.
QImage wavefrontSurfaceImage(const WavefrontGrid& grid, const WavefrontSurfaceOptions& options);
// The PSF map (512 x 512) with the intensity bar and its labels below.
QImage psfMapImage(const PointSpreadFunction& psf, const PsfPlotOptions& options);
// The PSF surface (720 x 503, the scale's aspect) with the intensity bar below.
QImage psfSurfaceImage(const PointSpreadFunction& psf, const PsfPlotOptions& options);
// The MTF plot, 800 x 600.
QImage mtfPlotImage(const ModulationTransfer& mtf);

} // namespace lumi
