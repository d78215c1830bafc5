#include "fringe/fringedatafile.h"

#include "common/fileerror.h"
#include "common/numbertext.h"
#include "common/textfile.h"
#include "fringe/fieldreader.h"
#include "fringe/fringeeditor.h"
#include "fringe/fringestore.h"

#include <array>
#include <cmath>
#include <stdexcept>

namespace lumi {
namespace {

constexpr int kFringeSlots = FringeDataFile::kMaxFringeIndex + 1;
constexpr int kMaxPointsInFile = kFringeSlots * FringeStore::kMaxPointsPerFringe;

bool isWhole(double v) {
    return std::floor(v) == v;
}

// A value that the program keeps in single precision.
float toSingle(FieldReader& reader, double v, const std::string& what) {
    float f = static_cast<float>(v);
    if (!std::isfinite(f))
        throw FileError(reader.lastLine(),
                        formatSignificant(v, 15) + " is out of range for " + what);
    return f;
}

class Parser {
public:
    Parser(std::string_view text, FringeDataFile::Layout layout, double twipsPerPixelX,
           double twipsPerPixelY)
        : reader_(text), twips_(layout == FringeDataFile::Layout::OlderTwips),
          perPixelX_(twipsPerPixelX), perPixelY_(twipsPerPixelY) {}

    FringeDataFile run() {
        FringeDataFile file;
        file.aperture = circle("the aperture");
        file.obstruction = circle("the obstruction");
        const int n = pointCount();
        file.points.reserve(static_cast<std::size_t>(n));
        std::array<int, kFringeSlots> perFringe{};
        for (int i = 1; i <= n; ++i) {
            const std::string which = "point " + std::to_string(i) + " of " + std::to_string(n);
            const int fringe = fringeIndex(which);
            if (++perFringe[static_cast<std::size_t>(fringe)] > FringeStore::kMaxPointsPerFringe)
                throw FileError(reader_.lastLine(),
                                "fringe index " + std::to_string(fringe) +
                                    " receives a 201st point; a fringe holds at most 200");
            const double x = position(perPixelX_, "the x of " + which);
            const double y = position(perPixelY_, "the y of " + which);
            file.points.push_back({fringe, x, y});
        }
        settings(file);
        return file;
    }

private:
    // A position or radius in pixels; older files give twips.
    double position(double twipsPerPixel, const std::string& what) {
        double v = reader_.nextNumber(what);
        if (!twips_)
            return v;
        return static_cast<double>(toSingle(reader_, v / twipsPerPixel, what));
    }

    ApertureCircle circle(const std::string& name) {
        ApertureCircle c;
        c.centerXPx = position(perPixelX_, name + " centre x");
        c.centerYPx = position(perPixelY_, name + " centre y");
        c.radiusPx = position(perPixelX_, name + " radius");
        if (c.radiusPx < 0.0)
            throw FileError(reader_.lastLine(),
                            name + " radius " + formatSignificant(c.radiusPx, 15) + " is negative");
        return c;
    }

    int pointCount() {
        const double v = reader_.nextNumber("the number of points");
        const int line = reader_.lastLine();
        if (!isWhole(v))
            throw FileError(line, "the number of points " + formatSignificant(v, 15) +
                                      " is not a whole number");
        if (v < 0.0)
            throw FileError(line,
                            "the number of points " + formatSignificant(v, 15) + " is negative");
        if (v > kMaxPointsInFile)
            throw FileError(line, "the number of points " + formatSignificant(v, 15) +
                                      " is more than a fringe file can hold (" +
                                      std::to_string(kMaxPointsInFile) + ")");
        return static_cast<int>(v);
    }

    int fringeIndex(const std::string& which) {
        const double v = reader_.nextNumber("the fringe index of " + which);
        const int line = reader_.lastLine();
        if (!isWhole(v))
            throw FileError(line,
                            "fringe index " + formatSignificant(v, 15) + " is not a whole number");
        if (v < 0.0)
            throw FileError(line, "fringe index " + formatSignificant(v, 15) + " is negative");
        if (v > FringeDataFile::kMaxFringeIndex)
            throw FileError(line, "fringe index " + formatSignificant(v, 15) + " is above 200");
        return static_cast<int>(v);
    }

    // The lines after the points. The file may end before them; a group the
    // file ends inside is treated as missing.
    void settings(FringeDataFile& file) {
        file.wavelengthsPresent = false;
        file.asphericPresent = false;
        auto input = reader_.nextNumberOrEnd("the input wavelength");
        if (!input)
            return;
        auto output = reader_.nextNumberOrEnd("the output wavelength");
        if (!output)
            return;
        auto waves = reader_.nextNumberOrEnd("the waves per fringe");
        if (!waves)
            return;
        file.inputWavelengthNm = *input;
        file.outputWavelengthNm = *output;
        file.wavesPerFringe = toSingle(reader_, *waves, "the waves per fringe");
        // The wavelengths and aspheric values are single precision once loaded;
        // they keep the file's digits here but must fit that range.
        (void)toSingle(reader_, *input, "the input wavelength");
        (void)toSingle(reader_, *output, "the output wavelength");
        file.wavelengthsPresent = true;

        auto diameter = reader_.nextNumberOrEnd("the surface diameter");
        if (!diameter)
            return;
        (void)toSingle(reader_, *diameter, "the surface diameter");
        auto curvature = reader_.nextNumberOrEnd("the curvature radius");
        if (!curvature)
            return;
        (void)toSingle(reader_, *curvature, "the curvature radius");
        auto conic = reader_.nextNumberOrEnd("the target conic constant");
        if (!conic)
            return;
        file.surfaceDiameterMm = *diameter;
        file.curvatureRadiusMm = *curvature;
        file.targetConic =
            static_cast<double>(toSingle(reader_, *conic, "the target conic constant"));
        file.asphericPresent = true;
        // Anything after the last line is not read.
    }

    FieldReader reader_;
    bool twips_;
    double perPixelX_;
    double perPixelY_;
};

std::string number15(double v) {
    if (!std::isfinite(v))
        throw FileError("Cannot save the fringe data: a value is not a finite number.");
    return formatSignificant(v, 15);
}

std::string number7(float v) {
    if (!std::isfinite(v))
        throw FileError("Cannot save the fringe data: a value is not a finite number.");
    return formatSignificant(static_cast<double>(v), 7);
}

std::string circleLine(const ApertureCircle& c) {
    return number15(c.centerXPx) + "," + number15(c.centerYPx) + "," + number15(c.radiusPx) +
           "\r\n";
}

} // namespace

int FringeDataFile::activeFringeAfterLoad() const {
    for (auto it = points.rbegin(); it != points.rend(); ++it)
        if (it->fringe >= 0 && it->fringe < FringeStore::kFringesInUse)
            return it->fringe;
    return 0;
}

FringeDataFile FringeDataFile::parse(std::string_view text, Layout layout, double twipsPerPixelX,
                                     double twipsPerPixelY) {
    if (!(twipsPerPixelX > 0.0) || !(twipsPerPixelY > 0.0) || !std::isfinite(twipsPerPixelX) ||
        !std::isfinite(twipsPerPixelY))
        throw std::invalid_argument("twips per pixel must be a positive number");
    return Parser(text, layout, twipsPerPixelX, twipsPerPixelY).run();
}

FringeDataFile FringeDataFile::readFile(const std::filesystem::path& path, Layout layout,
                                        double twipsPerPixelX, double twipsPerPixelY) {
    return parse(readTextFile(path), layout, twipsPerPixelX, twipsPerPixelY);
}

void FringeDataFile::applyTo(FringeStore& store) const {
    store.aperture = aperture;
    store.obstruction = obstruction;
    // All slots, not only 0..100: points a previous file put on 101..200 must
    // not add up with this file's.
    for (int f = 0; f < FringeStore::kFringeSlots; ++f)
        store.clearFringe(f);
    for (const FringePoint& p : points)
        store.addPoint(p.fringe, p.xPx, p.yPx); // limits were checked by parse()
}

void FringeDataFile::applyTo(FringeStore& store, FringeEditor& editor) const {
    applyTo(store);
    editor.fringeFileLoaded(activeFringeAfterLoad());
}

FringeDataFile FringeDataFile::fromStore(const FringeStore& store) {
    FringeDataFile file;
    file.aperture = store.aperture;
    file.obstruction = store.obstruction;
    file.points = store.pointsInUse();
    return file;
}

void FringeDataFile::setStandardAnalysis() {
    surfaceDiameterMm = 0.0;
    curvatureRadiusMm = 0.0;
    targetConic = -1.0;
}

std::string FringeDataFile::toText() const {
    std::string body;
    int n = 0;
    for (const FringePoint& p : points) {
        if (p.fringe < 0 || p.fringe >= FringeStore::kFringesInUse)
            continue; // fringes 101..200 are never written
        body += std::to_string(p.fringe) + "," + number15(p.xPx) + "," + number15(p.yPx) + "\r\n";
        ++n;
    }
    std::string text = circleLine(aperture) + circleLine(obstruction);
    text += std::to_string(n) + "\r\n";
    text += body;
    text += number15(inputWavelengthNm) + "," + number15(outputWavelengthNm) + "," +
            number7(wavesPerFringe) + "\r\n";
    text += number15(surfaceDiameterMm) + "\r\n";
    text += number15(curvatureRadiusMm) + "\r\n";
    // Read back in single precision: a target beyond it would make the whole
    // file unreadable, so it is refused here.
    if (!std::isfinite(narrowToSingle(targetConic)))
        throw FileError("Cannot save the fringe data: the target conic constant " +
                        number15(targetConic) + " is too large.");
    text += number15(targetConic) + "\r\n";
    return text;
}

void FringeDataFile::writeFile(const std::filesystem::path& path) const {
    writeTextFileReplacing(path, toText());
}

} // namespace lumi
