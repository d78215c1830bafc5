#pragma once

#include <array>
#include <cstddef>

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

// What the user asked the analysis to do, as numbers. The window reads its
// boxes into this leniently when a command runs; the command line parses its
// options into it strictly; fringe files fill it through inputFromFringeFile.
// The core never reads user text.
struct AnalysisInput {
    static constexpr int kAutoTerms = 0; // "Auto": 25 terms (0..24)

    double inputWavelengthNm = 632.8;  // interferometer wavelength
    double outputWavelengthNm = 632.8; // wavelength the results are expressed at
    double wavesPerFringe = 0.5;       // as entered; APPLY takes its magnitude
    int zernikeTerms = kAutoTerms;     // terms fitted: kAutoTerms or 1..37 (9, 16, 25, 37)
    std::array<bool, kRemovalGroupCount> removalFlags{true,  true,  false, false,
                                                      false, false, false, false};
    AnalysisType analysisType = AnalysisType::Standard;
    double surfaceDiameterMm = 0.0; // aspheric analysis only
    double curvatureRadiusMm = 0.0; // vertex radius; its sign is ignored
    double targetConic = -1.0;      // -1 paraboloid, 0 sphere

    bool isRemoved(RemovalGroup g) const { return removalFlags[static_cast<std::size_t>(g)]; }
    void setRemoved(RemovalGroup g, bool on) { removalFlags[static_cast<std::size_t>(g)] = on; }
    bool operator==(const AnalysisInput&) const = default;
};

} // namespace lumi
