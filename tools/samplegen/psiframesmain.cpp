// lumi-psiframes: writes a generated phase-shifting frame set and its known answer.
//   lumi-psiframes <folder> [frames] [step error deg] [width height] [seed]
// e.g. lumi-psiframes /tmp/set12 12 10  ->  frame01.png .. frame12.png, answer.json

#include "common/numbertext.h"
#include "tools/samplegen/phaseframeset.h"
#include "tools/samplegen/picturewriter.h"

#include <QCoreApplication>

#include <cstdio>
#include <fstream>
#include <string>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv); // image format plugins are found through it
    if (argc < 2 || argc > 7 || argc == 5) {
        std::fputs("usage: lumi-psiframes <folder> [frames] [step error deg] [width height] "
                   "[seed]\n",
                   stderr);
        return 2;
    }
    const std::string folder = argv[1];
    const int frames = argc > 2 ? std::stoi(argv[2]) : 12;
    const double errorDeg = argc > 3 ? std::stod(argv[3]) : 10.0;
    const int width = argc > 5 ? std::stoi(argv[4]) : 800;
    const int height = argc > 5 ? std::stoi(argv[5]) : 600;
    const auto seed = argc > 6 ? std::stoull(argv[6]) : 20261209ull;
    const lumi::PhaseFrameSet set = lumi::makePhaseFrameSet(
        frames, errorDeg, seed, lumi::phaseFrameSetWavefront(), width, height);
    const std::vector<lumi::RgbImage> rendered = lumi::renderPhaseFrames(set);
    for (std::size_t k = 0; k < rendered.size(); ++k) {
        const std::string name = (k + 1 < 10 ? "frame0" : "frame") + std::to_string(k + 1) + ".png";
        const std::string error =
            lumi::writePicture(rendered[k], lumi::PictureFormat::Png, folder + "/" + name);
        if (!error.empty()) {
            std::fputs((error + "\n").c_str(), stderr);
            return 1;
        }
    }
    const lumi::SampleRecipe& r = set.recipe;
    std::string json = "{\n  \"apertureXPx\": " + lumi::formatShortest(r.apertureXPx) +
                       ",\n  \"apertureYPx\": " + lumi::formatShortest(r.apertureYPx) +
                       ",\n  \"apertureRadiusPx\": " + lumi::formatShortest(r.apertureRadiusPx) +
                       ",\n  \"wavesPerFringe\": " + lumi::formatShortest(r.wavesPerFringe) +
                       ",\n  \"stepsDeg\": [";
    for (std::size_t k = 0; k < set.stepsDeg.size(); ++k)
        json += (k ? ", " : "") + lumi::formatShortest(set.stepsDeg[k]);
    json += "],\n  \"coefficientsWaves\": [";
    for (std::size_t t = 0; t < 37; ++t)
        json += (t ? ", " : "") + lumi::formatShortest(r.coefficientsWaves[t]);
    json += "]\n}\n";
    std::ofstream file(folder + "/answer.json", std::ios::binary);
    file << json;
    file.close();
    if (!file) {
        std::fputs(("Cannot write " + folder + "/answer.json\n").c_str(), stderr);
        return 1;
    }
    std::printf("%s: %d frames %d x %d, steps off by up to %.1f deg\n", folder.c_str(), frames,
                width, height, errorDeg);
    return 0;
}
