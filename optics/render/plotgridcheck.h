#pragma once

#include "analysis/wavefrontgrid.h"

namespace lumi {

// Checks that a sampled grid can be drawn: grid count 1..128 (the surface reads node N + 1),
// every node 0..N+1 finite, peak, valley and range finite and range not 0. Throws
// AnalysisError (InvalidGeometry for the grid count, NonFinite otherwise) so that no NaN or
// infinity reaches the painter.
void checkPlotGrid(const WavefrontGrid& grid);

} // namespace lumi
