// lumi-bathphoto: writes one generated Bath-style fringe photo (JPEG, quality 85, or
// binary PPM when the name ends in .ppm) and prints its known answer.
//   lumi-bathphoto OUT.jpg WIDTH HEIGHT FRINGES ANGLE_DEG [obstructed] [seed=N]

#include "tools/samplegen/bathphoto.h"
#include "tools/samplegen/picturewriter.h"

#include <QCoreApplication>

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv); // image format plugins are found through it
    if (argc < 6) {
        std::fputs("usage: lumi-bathphoto OUT.jpg WIDTH HEIGHT FRINGES ANGLE_DEG [obstructed] "
                   "[seed=N]\n",
                   stderr);
        return 2;
    }
    lumi::BathPhotoSetup setup;
    setup.widthPx = std::stoi(argv[2]);
    setup.heightPx = std::stoi(argv[3]);
    setup.tiltFringes = std::stod(argv[4]);
    setup.tiltAngleDeg = std::stod(argv[5]);
    for (int i = 6; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "obstructed")
            setup.obstructed = true;
        else if (a.rfind("seed=", 0) == 0)
            setup.seed = std::stoull(a.substr(5));
    }
    setup.aberrationWaves = lumi::typicalMirrorWaves();
    const lumi::SampleRecipe r = lumi::bathPhotoRecipe(setup);
    const lumi::RgbImage img = lumi::renderBathPhoto(r);
    const std::string out = argv[1];
    std::string error;
    if (out.size() > 4 && out.substr(out.size() - 4) == ".ppm") {
        // The exact pixels, for readers without a JPEG decoder (bench/fourier_numpy.py).
        std::FILE* f = std::fopen(out.c_str(), "wb");
        if (!f || std::fprintf(f, "P6\n%d %d\n255\n", img.width, img.height) < 0 ||
            std::fwrite(img.rgb.data(), 1, img.rgb.size(), f) != img.rgb.size())
            error = "cannot write " + out;
        if (f && std::fclose(f) != 0)
            error = "cannot write " + out;
    } else {
        error = lumi::writePicture(img, lumi::PictureFormat::Jpeg, out);
    }
    if (!error.empty()) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    std::printf("aperture %.3f %.3f %.3f obstruction %.3f %.3f %.3f\n", r.apertureXPx,
                r.apertureYPx, r.apertureRadiusPx, setup.obstructed ? r.obstructionXPx : 0.0,
                setup.obstructed ? r.obstructionYPx : 0.0,
                setup.obstructed ? r.obstructionRadiusPx : 0.0);
    std::printf("coefficients");
    for (std::size_t t = 0; t < 37; ++t)
        std::printf(" %.6g", r.coefficientsWaves[t]);
    std::printf("\n");
    return 0;
}
