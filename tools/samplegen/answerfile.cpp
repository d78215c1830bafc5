#include "tools/samplegen/answerfile.h"

#include "common/numbertext.h"

namespace lumi {
namespace {

std::string quoted(const std::string& s) {
    std::string out = "\"";
    for (char c : s) {
        if (c == '"' || c == '\\') {
            out += '\\';
        }
        out += c;
    }
    return out + "\"";
}

std::string num(double v) {
    return formatShortest(v);
}

void appendSample(std::string& out, const SampleRecipe& r) {
    out += "    {\n";
    out += "      \"name\": " + quoted(r.name) + ",\n";
    out += "      \"file\": " + quoted(r.fileName) + ",\n";
    out += "      \"resource\": " + quoted(":/samples/" + r.fileName) + ",\n";
    out += "      \"format\": " +
           quoted(r.format == PictureFormat::Jpeg ? "JPEG" : "BMP 8-bit grey palette") + ",\n";
    out += "      \"widthPx\": " + std::to_string(r.widthPx) + ",\n";
    out += "      \"heightPx\": " + std::to_string(r.heightPx) + ",\n";
    out += "      \"description\": " + quoted(r.description) + ",\n";
    out += "      \"aperture\": {\"xPx\": " + num(r.apertureXPx) +
           ", \"yPx\": " + num(r.apertureYPx) + ", \"radiusPx\": " + num(r.apertureRadiusPx) +
           "},\n";
    out += "      \"obstruction\": {\"kind\": " + quoted(r.obstructionKind) +
           ", \"xPx\": " + num(r.obstructionXPx) + ", \"yPx\": " + num(r.obstructionYPx) +
           ", \"radiusPx\": " + num(r.obstructionRadiusPx) + "},\n";
    if (r.mirrorDiameterMm > 0.0) {
        out += "      \"mirror\": {\"diameterMm\": " + num(r.mirrorDiameterMm) +
               ", \"curvatureRadiusMm\": " + num(r.curvatureRadiusMm) +
               ", \"conic\": " + num(r.conic) + "},\n";
    }
    out += "      \"wavesPerFringe\": " + num(r.wavesPerFringe) + ",\n";
    out += "      \"fringeCount\": " + formatFixed(r.fringeCount(), 1) + ",\n";
    out += "      \"zernikeWaves\": [";
    for (int t = 0; t < kZernikeTermCount; ++t) {
        out += (t == 0 ? "" : ", ") + num(r.coefficientsWaves[static_cast<std::size_t>(t)]);
    }
    out += "]\n    }";
}

} // namespace

std::string answerFileText(const std::vector<SampleRecipe>& recipes) {
    std::string out = "{\n";
    out += "  \"about\": \"Known answers of the stored sample interferograms, written by "
           "lumi-samplegen. Positions in image pixels from the top-left pixel, y downwards; "
           "pupil x = (px - aperture.xPx) / radiusPx, y likewise. zernikeWaves[t] is the "
           "coefficient of Fringe Zernike term t in waves of wavefront; dark fringe centres "
           "lie where the wavefront height is a whole multiple of wavesPerFringe, and the "
           "height grows with the fringe order. fringeCount is the peak-to-valley over the "
           "clear pupil in fringes.\",\n";
    out += "  \"samples\": [\n";
    for (std::size_t i = 0; i < recipes.size(); ++i) {
        appendSample(out, recipes[i]);
        out += i + 1 < recipes.size() ? ",\n" : "\n";
    }
    out += "  ]\n}\n";
    return out;
}

} // namespace lumi
