#pragma once

#include <string>

namespace lumi {

// The texts of the "Aberration" page (and the short ones of the "Zernike" page)
// exactly as displayed; the nm column holds "" for a removed group.
struct SummaryTexts {
    std::string peakToValley, peakToValleyNm, peakToValleyShort;
    std::string rms, rmsNm, rmsShort;
    std::string strehl;
    std::string tilt, tiltNm;
    std::string defocus, defocusNm;
    std::string astigmatism, astigmatismNm;
    std::string coma, comaNm;
    std::string spherical, sphericalNm;
    std::string fitRmsError;
    std::string fringeCount, pointCount;
    bool operator==(const SummaryTexts&) const = default;
};

} // namespace lumi
