#pragma once

#include "analysis/analysisinput.h"

namespace lumi {

// The input of the last analysis and the values APPLY derived from it.
struct AnalysisSettings {
    AnalysisInput input;

    // Derived at APPLY (single precision where the analysis keeps singles).
    float wavelengthRatio = 1.0f; // input wavelength / output wavelength
    float wavesPerFringe = 0.5f;  // |entered value|, waves of wavefront per fringe step
    int highestTerm = 24;         // terms 0..highestTerm are fitted
    int analysisGridSize = 32;    // grid count N used by APPLY's sampling

    bool isRemoved(RemovalGroup g) const { return input.isRemoved(g); }
    void setRemoved(RemovalGroup g, bool on) { input.setRemoved(g, on); }
};

} // namespace lumi
