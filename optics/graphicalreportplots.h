#pragma once

#include "analysis/measurement.h"
#include "analysis/syntheticoptions.h"
#include "imaging/pixelgrid.h"
#include "optics/complexfield.h"
#include "optics/fieldtransform.h"
#include "optics/modulationtransfer.h"
#include "optics/mtfcommand.h"
#include "optics/pointspreadfunction.h"

#include <functional>
#include <optional>
#include <string>

namespace lumi {

// The main window's choices the graphical report reads at each update.
struct GraphicalReportChoices {
    SyntheticOptions synthetic; // "Synthetic" page; its grid size is replaced by 128
    MtfReading mtf;             // the MTF page's reading of its boxes
};

// What one update of the graphical report computed, in its order; a fault ends
// the update and leaves the later plots empty, with its reason in `fault`.
struct GraphicalReportPlots {
    std::optional<WavefrontGrid> surfaceGrid; // the current grid, extremes computed anew
    std::optional<PointSpreadFunction> psf;   // 128-point transform of the current grid
    std::optional<ModulationTransfer> mtf;    // of the current grid, its own N
    std::optional<PixelGrid> synthetic;       // 128 cells, the page's other choices
    std::string fault;
};

// The update of the graphical report. It does not sample: the plots show the
// grid as last sampled (N = 32 after APPLY), with peak, valley and range
// computed again over its nonzero nodes 0..N (range = peak - valley). The
// measurement is left as it was: neither these extremes nor the synthetic
// heights' ones reach m.results.grid, so later wavefront plots keep the
// sampler's scale. `progress` gets 0..99 while the synthetic heights are
// computed.
GraphicalReportPlots computeGraphicalReportPlots(const Measurement& m,
                                                 const GraphicalReportChoices& choices,
                                                 ComplexField& field, FieldTransform& transform,
                                                 const std::function<void(int)>& progress = {});

} // namespace lumi
