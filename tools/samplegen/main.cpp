// lumi-samplegen: renders the stored sample interferograms and their known answers.
//   lumi-samplegen <picture folder> [<answer file>]
// e.g. lumi-samplegen resources/samples tools/samplegen/samples.json

#include "common/numbertext.h"
#include "tools/samplegen/answerfile.h"
#include "tools/samplegen/photorenderer.h"
#include "tools/samplegen/picturewriter.h"
#include "tools/samplegen/samplecatalogue.h"

#include <QCoreApplication>

#include <cstdio>
#include <fstream>
#include <string>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv); // image format plugins are found through it
    if (argc < 2 || argc > 3) {
        std::fputs("usage: lumi-samplegen <picture folder> [<answer file>]\n", stderr);
        return 2;
    }
    const std::string folder = argv[1];
    const std::vector<lumi::SampleRecipe> recipes = lumi::sampleCatalogue();
    const lumi::PhotoRenderer renderer;
    for (const lumi::SampleRecipe& r : recipes) {
        const std::string path = folder + "/" + r.fileName;
        const std::string error = lumi::writePicture(renderer.render(r), r.format, path);
        if (!error.empty()) {
            std::fputs((error + "\n").c_str(), stderr);
            return 1;
        }
        const std::string line = path + "  " + std::to_string(r.widthPx) + " x " +
                                 std::to_string(r.heightPx) + "  " +
                                 lumi::formatFixed(r.fringeCount(), 1) + " fringes\n";
        std::fputs(line.c_str(), stdout);
    }
    if (argc == 3) {
        std::ofstream file(argv[2], std::ios::binary);
        file << lumi::answerFileText(recipes);
        file.close();
        if (!file) {
            std::fputs(("Cannot write " + std::string(argv[2]) + "\n").c_str(), stderr);
            return 1;
        }
    }
    return 0;
}
