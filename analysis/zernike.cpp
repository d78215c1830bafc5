#include "analysis/zernike.h"

#include <array>

namespace lumi {

double evaluateZernike(int n, double x, double y) {
    if (n < 0 || n >= kZernikeTermCount)
        return 0.0;
    return evaluateZernikeTerms(x, y)[static_cast<std::size_t>(n)];
}

double zernikeSum(const ZernikeCoefficients& c, int termCount, double x, double y) {
    const auto z = evaluateZernikeTerms(x, y);
    double w = 0.0;
    for (std::size_t t = 0; t < static_cast<std::size_t>(termCount); ++t)
        w += z[t] * c[t];
    return w;
}

std::array<double, kZernikeTermCount> evaluateZernikeTerms(double x, double y) {
    const double r2 = x * x + y * y;
    const double r4 = r2 * r2;
    const double r6 = r4 * r2;
    const double r8 = r6 * r2;
    const double r10 = r8 * r2;
    const double r12 = r10 * r2;
    const double x2 = x * x;
    const double y2 = y * y;
    const double cos2 = x2 - y2;     // rho^2 cos 2t
    const double sin2 = 2.0 * x * y; // rho^2 sin 2t
    const double cos3 = x * x2 - 3.0 * x * y2;
    const double sin3 = 3.0 * x2 * y - y * y2;
    const double cos4 = x2 * x2 - 6.0 * x2 * y2 + y2 * y2;
    const double sin4 = 4.0 * x * x2 * y - 4.0 * x * y * y2;
    std::array<double, kZernikeTermCount> z{};
    z[0] = 1.0;
    z[1] = x;
    z[2] = y;
    z[3] = 2.0 * r2 - 1.0;
    z[4] = cos2;
    z[5] = sin2;
    z[6] = (3.0 * r2 - 2.0) * x;
    z[7] = (3.0 * r2 - 2.0) * y;
    z[8] = 6.0 * r4 - 6.0 * r2 + 1.0;
    z[9] = cos3;
    z[10] = sin3;
    z[11] = (4.0 * r2 - 3.0) * cos2;
    z[12] = (4.0 * r2 - 3.0) * sin2;
    z[13] = (10.0 * r4 - 12.0 * r2 + 3.0) * x;
    z[14] = (10.0 * r4 - 12.0 * r2 + 3.0) * y;
    z[15] = 20.0 * r6 - 30.0 * r4 + 12.0 * r2 - 1.0;
    z[16] = cos4;
    z[17] = sin4;
    z[18] = (5.0 * r2 - 4.0) * cos3;
    z[19] = (5.0 * r2 - 4.0) * sin3;
    z[20] = (15.0 * r4 - 20.0 * r2 + 6.0) * cos2;
    z[21] = (15.0 * r4 - 20.0 * r2 + 6.0) * sin2;
    z[22] = (35.0 * r6 - 60.0 * r4 + 30.0 * r2 - 4.0) * x;
    z[23] = (35.0 * r6 - 60.0 * r4 + 30.0 * r2 - 4.0) * y;
    z[24] = 70.0 * r8 - 140.0 * r6 + 90.0 * r4 - 20.0 * r2 + 1.0;
    z[25] = x * x2 * x2 - 10.0 * x * x2 * y2 + 5.0 * x * y2 * y2;
    z[26] = 5.0 * x2 * x2 * y - 10.0 * x2 * y * y2 + y * y2 * y2;
    z[27] = (6.0 * r2 - 5.0) * cos4;
    z[28] = (6.0 * r2 - 5.0) * sin4;
    z[29] = (21.0 * r4 - 30.0 * r2 + 10.0) * cos3;
    z[30] = (21.0 * r4 - 30.0 * r2 + 10.0) * sin3;
    z[31] = (56.0 * r6 - 105.0 * r4 + 60.0 * r2 - 10.0) * cos2;
    z[32] = (56.0 * r6 - 105.0 * r4 + 60.0 * r2 - 10.0) * sin2;
    z[33] = (126.0 * r8 - 280.0 * r6 + 210.0 * r4 - 60.0 * r2 + 5.0) * x;
    z[34] = (126.0 * r8 - 280.0 * r6 + 210.0 * r4 - 60.0 * r2 + 5.0) * y;
    z[35] = 252.0 * r10 - 630.0 * r8 + 560.0 * r6 - 210.0 * r4 + 30.0 * r2 - 1.0;
    z[36] = 924.0 * r12 - 2772.0 * r10 + 3150.0 * r8 - 1680.0 * r6 + 420.0 * r4 - 42.0 * r2 + 1.0;
    return z;
}

std::string_view zernikeDescription(int n) {
    static constexpr std::array<std::string_view, 37> kDescriptions = {
        "  Piston (Bias) ",
        "  Tilt about X axis ",
        "  Tilt about Y axis ",
        "  Power ",
        "  Astigmatism X axis",
        "  Astigmatism Y axis",
        "  Primary Coma along X axis",
        "  Primary Coma along Y axis",
        "  Primary Spherical Aberration",
        "  Triangular Astig.( Trefoil X )",
        "  Triangular Astig.( Trefoil Y )",
        "  Secondary Astig. X",
        "  Secondary Astig. Y",
        "  Secondary Coma X",
        "  Secondary Coma Y",
        "  Secondary Spherical",
        "  Ashtray Astig.( Tetrafoil X )",
        "  Ashtray Astig.( Tetrafoil Y )",
        "  Secondary Trefoil X",
        "  Secondary Trefoil Y",
        "  Tertiary Astig.X",
        "  Tertiary Astig.Y",
        "  Tertiary Coma X",
        "  Tertiary Coma Y",
        "  Tertiary Spherical",
        "  Pentafoil X",
        "  Pentafoil Y",
        "  Secondary Tetrafoil X",
        "  Secondary Tetrafoil Y",
        "  Tertiary Trefoil X ",
        "  Tertiary Trefoil Y",
        "  Quaternary Astig.X",
        "  Quaternary Astig.Y",
        "  Quaternary Coma X",
        "  Quaternary Coma Y",
        "  Quaternary Spherical",
        "  ",
    };
    if (n < 0 || n >= static_cast<int>(kDescriptions.size()))
        return {};
    return kDescriptions[static_cast<std::size_t>(n)];
}

} // namespace lumi
