#pragma once

#include <array>
#include <string>

namespace lumi {

enum class AnalysisType { Standard, Aspheric };

// The "REMOVE" boxes, in the order they appear on the window.
enum class RemovalGroup {
    Tilt,
    Power,
    LowOrderAstigmatism,
    LowOrderComa,
    LowOrderSpherical,
    HighOrderAstigmatism,
    HighOrderComa,
    HighOrderSpherical,
};
inline constexpr int kRemovalGroupCount = 8;

// The analysis parameters as the user typed them (texts are read leniently at
// APPLY) plus the values derived from them at APPLY.
struct AnalysisSettings {
    std::string inputWavelengthNmText = "632.8";
    std::string outputWavelengthNmText = "632.8";
    std::string wavesPerFringeText = "0.5";
    // Entry of the " Zernike number" list: "Auto", "9", "16", "25" or "37".
    std::string zernikeNumberText = "Auto";
    std::array<bool, kRemovalGroupCount> removalFlags{true,  true,  false, false,
                                                      false, false, false, false};
    AnalysisType analysisType = AnalysisType::Standard;
    std::string surfaceDiameterMmText = "0";
    std::string curvatureRadiusMmText = "0";
    std::string targetConicText = "-1";

    // Derived at APPLY (single precision where the analysis keeps singles).
    float wavelengthRatio = 1.0f; // input wavelength / output wavelength
    float wavesPerFringe = 0.5f;  // |typed value|, waves of wavefront per fringe step
    int highestTerm = 24;         // terms 0..highestTerm are fitted
    int analysisGridSize = 32;    // grid count N used by APPLY's sampling

    bool isRemoved(RemovalGroup g) const { return removalFlags[static_cast<std::size_t>(g)]; }
    void setRemoved(RemovalGroup g, bool on) { removalFlags[static_cast<std::size_t>(g)] = on; }
};

} // namespace lumi
