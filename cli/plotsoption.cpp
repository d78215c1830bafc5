#include "cli/plotsoption.h"

#include "analysis/measurement.h"
#include "analysis/wavefrontsampler.h"
#include "cli/analyzerequest.h"
#include "cli/offscreengui.h"
#include "cli/optiontable.h"
#include "cli/pngfile.h"
#include "cli/usageerror.h"
#include "common/fileerror.h"
#include "common/numbertext.h"
#include "optics/complexfield.h"
#include "optics/fieldtransform.h"
#include "optics/mtfcommand.h"
#include "optics/psfcommand.h"
#include "optics/render/plotimages.h"

#include <QImage>

#include <filesystem>
#include <iostream>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace lumi::cli {
namespace {

constexpr const char* kPlotNames[] = {"wavefront-map.png", "wavefront-surface.png", "psf-map.png",
                                      "psf-surface.png", "mtf.png"};

void save(const QImage& image, const std::filesystem::path& path, std::ostream& log,
          OutputFiles& written) {
    writePngFile(image, path);
    written.wrote(path);
    log << "wrote " << path.string() << "\n";
}

} // namespace

void writePlots(const PlotsRequest& request, const Measurement& m, std::ostream& log,
                OutputFiles& written) {
    const std::filesystem::path dir(request.directory);
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    if (ec || !std::filesystem::is_directory(dir))
        throw FileError("cannot create the plots folder \"" + request.directory + "\"");

    OffscreenGui gui;
    const auto map = sampleWavefrontGrid(m, request.mapGridCount);
    save(wavefrontMapImage(*map), dir / kPlotNames[0], log, written);
    save(wavefrontSurfaceImage(*map, WavefrontSurfaceOptions{}), dir / kPlotNames[1], log, written);

    auto field = std::make_unique<ComplexField>();
    FieldTransform transform;
    const PointSpreadFunction psf = runPsfCommand(m, request.psfGrid, *field, transform);
    PsfPlotOptions psfOptions; // as the PSF page shows it: false colour, black, transparent
    psfOptions.strehl = m.results.strehl;
    save(psfMapImage(psf, psfOptions), dir / kPlotNames[2], log, written);
    save(psfSurfaceImage(psf, psfOptions), dir / kPlotNames[3], log, written);

    // The MTF uses the grid count sampled last, the PSF's.
    const ModulationTransfer mtf = runMtfCommand(
        m, psfPupilSampleCount(request.psfGrid),
        {request.apertureRatio, m.settings.input.inputWavelengthNm}, *field, transform);
    save(mtfPlotImage(mtf), dir / kPlotNames[4], log, written);
}

void addPlotsOptions(OptionTable& table, AnalyzeRequest& request) {
    PlotsRequest* plots = &request.plots;
    table.addValue("--plots", "DIR",
                   "Write the plots as PNG pictures into DIR (created when missing):\n"
                   "wavefront-map.png, wavefront-surface.png, psf-map.png,\n"
                   "psf-surface.png and mtf.png.",
                   [plots, &request](std::string_view v) {
                       if (v.empty())
                           throw UsageError("--plots: a folder name is needed");
                       // A later --plots replaces the folder and its destinations.
                       std::erase(request.outputFolders, plots->directory);
                       std::erase_if(request.outputFiles, [&](const std::string& f) {
                           return std::filesystem::path(f).parent_path() == plots->directory;
                       });
                       plots->directory = std::string(v);
                       request.outputFolders.push_back(plots->directory);
                       for (const char* name : kPlotNames)
                           request.outputFiles.push_back(
                               (std::filesystem::path(plots->directory) / name).string());
                   });
    table.addValue("--map-grid", "32|64|128",
                   "Intervals per axis of the wavefront map and surface (with --plots).\n"
                   "Default: 64.",
                   [plots](std::string_view v) {
                       const double n = parseOptionNumber("--map-grid", v);
                       if (n != 32 && n != 64 && n != 128)
                           throw UsageError("--map-grid: \"" + std::string(v) +
                                            "\" is not 32, 64 or 128");
                       plots->mapGridCount = static_cast<int>(n);
                   });
    table.addValue("--psf-grid", "64|128|256",
                   "Pupil samples of the PSF (and then the MTF) with --plots: 64x64,\n"
                   "128x128 or 256x256. Default: 128.",
                   [plots](std::string_view v) {
                       const double n = parseOptionNumber("--psf-grid", v);
                       if (n == 64)
                           plots->psfGrid = PsfGridSize::Grid64;
                       else if (n == 128)
                           plots->psfGrid = PsfGridSize::Grid128;
                       else if (n == 256)
                           plots->psfGrid = PsfGridSize::Grid256;
                       else
                           throw UsageError("--psf-grid: \"" + std::string(v) +
                                            "\" is not 64, 128 or 256");
                   });
    table.addValue("--f-number", "F",
                   "Aperture ratio of the optic for the MTF frequencies in lines/mm at the\n"
                   "input wavelength (with --plots). Default: 0, normalised frequency.",
                   [plots](std::string_view v) {
                       const double f = parseOptionNumber("--f-number", v);
                       if (f < 0)
                           throw UsageError("--f-number: must not be negative");
                       plots->apertureRatio = f;
                   });
}

} // namespace lumi::cli
