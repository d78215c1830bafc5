#include "cli/analyzecommand.h"
#include "cli/averagecommand.h"
#include "cli/clicommand.h"
#include "cli/fouriercommand.h"
#include "cli/generatecommand.h"
#include "cli/imagecommand.h"
#include "cli/psicommand.h"
#include "cli/reportcommand.h"
#include "cli/synthcommand.h"
#include "cli/tracecommand.h"

#include <array>

namespace lumi::cli {

// To add a subcommand, include its header and add one line here.
std::span<const CliCommand> cliCommands() {
    static constexpr std::array kCommands{
        CliCommand{"analyze", "fit Zernike terms to a fringe data file and show the aberrations",
                   &runAnalyze},
        CliCommand{"average", "average Zernike files and show the aberrations of the mean",
                   &runAverage},
        CliCommand{"generate", "write a fringe data file on the contours of known coefficients",
                   &runGenerate},
        CliCommand{"synth", "draw the synthetic interferogram of Zernike coefficients", &runSynth},
        CliCommand{"image", "brighten, rotate, filter... a picture as the image window does",
                   &runImage},
        CliCommand{"trace", "trace the dark fringes of a picture from one seed per fringe",
                   &runTrace},
        CliCommand{"fourier",
                   "analyse a photo of many tilt fringes whole-field, without fringe points",
                   &runFourier},
        CliCommand{"psi", "analyse phase-shifted frames (steps given or estimated) as analyze does",
                   &runPsi},
        CliCommand{"report", "write the report of a fringe data file as PDF or text", &runReport},
    };
    return kCommands;
}

} // namespace lumi::cli
