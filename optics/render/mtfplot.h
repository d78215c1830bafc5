#pragma once

#include "optics/modulationtransfer.h"
#include "optics/render/userscale.h"

#include <QRect>

#include <array>
#include <string>

class QPainter;

namespace lumi {

// The MTF plot in `target`, N = mtf.halfSize, scale (-0.07 N, 1.1)-(1.07 N, -0.15) (report:
// bottom -0.18): the plot area (0, 1)-(N, 0) in (255, 255, 230) with a (0, 5, 0) outline;
// "MODULATION " top left and the legend "BLACK=IDEAL  ", "BLUE  =SAG. " (blue),
// "RED    =TANG " (red) at text column 50 (report 42); modulation ticks at 0.2 .. 0.8 labelled
// "0" .. "1"; frequency ticks at 0.2 N .. 0.8 N labelled nu_c x 0.2 .. nu_c with one decimal and
// "SPATIAL FREQUENCY"; the tangential (red) and sagittal (blue) cuts from k = 0 to N and the
// diffraction-limited curve in black (idealMtfCurve). Throws AnalysisError when N < 1, a cut
// is shorter than N + 1 or a value is not finite.
void paintMtfPlot(QPainter& painter, const QRect& target, const ModulationTransfer& mtf,
                  bool reportStyle = false);

// The user scale of the plot on `target`: (-0.07 N, 1.1)-(1.07 N, -0.15), bottom -0.18 in the
// report; x in plot units 0..N (frequency nu_c x / N), y the modulation. For the readout.
UserScale mtfPlotScale(const QRect& target, int halfSize, bool reportStyle = false);

// The five frequency labels under the plot: nu_c x 0.2, 0.4, 0.6, 0.8 and nu_c itself, one
// decimal ("79.0" .. "395.1" for F/4 at 632.8 nm; "0.2" .. "1.0" for normalised frequency).
std::array<std::string, 5> mtfFrequencyLabels(double cutoffFrequency);

} // namespace lumi
