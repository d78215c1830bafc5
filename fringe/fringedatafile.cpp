#include "fringe/fringedatafile.h"

#include "common/fileerror.h"
#include "common/numbertext.h"
#include "common/textfile.h"
#include "common/valuelimits.h"
#include "fringe/fieldreader.h"
#include "fringe/fringeeditor.h"
#include "fringe/fringestore.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
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

struct ValueFault {
    int line;
    std::string problem;
};

// The values the analysis takes from a file, checked as the same values given
// as options are; lines are those of the file read (0 when writing).
std::optional<ValueFault> valueFault(const FringeDataFile& file, int apertureLine,
                                     int obstructionLine, int settingsLine) {
    const ApertureCircle& a = file.aperture;
    const ApertureCircle& o = file.obstruction;
    // A file without an aperture is what saving an empty store writes; points
    // and an obstruction need one.
    if (!file.points.empty() || o.radiusPx > 0.0)
        if (auto problem = apertureRadiusProblem(a.radiusPx))
            return ValueFault{apertureLine, *problem};
    if (auto problem = obstructionProblem(a.centerXPx, a.centerYPx, a.radiusPx, o.centerXPx,
                                          o.centerYPx, o.radiusPx))
        return ValueFault{obstructionLine, *problem};
    if (!file.wavelengthsPresent)
        return std::nullopt;
    if (auto problem = settingsProblem(file.inputWavelengthNm, file.outputWavelengthNm,
                                       static_cast<double>(file.wavesPerFringe)))
        return ValueFault{settingsLine, *problem};
    return std::nullopt;
}

// Reads the field stream of a fringe data file. Line breaks separate fields,
// but records must still match the point count: in the current layout every
// point and the settings are one line each (the program never writes them
// otherwise), in both layouts the settings begin the line after the points,
// and nothing may follow the last expected field. A file whose count and
// point lines disagree is thus refused instead of read as other values.
class Parser {
public:
    Parser(std::string_view text, FringeDataFile::Layout layout, double twipsPerPixelX,
           double twipsPerPixelY)
        : reader_(text), twips_(layout == FringeDataFile::Layout::OlderTwips),
          perPixelX_(twipsPerPixelX), perPixelY_(twipsPerPixelY) {}

    FringeDataFile run() {
        FringeDataFile file;
        file.aperture = circle("the aperture");
        const int apertureLine = reader_.lastLine();
        file.obstruction = circle("the obstruction");
        const int obstructionLine = reader_.lastLine();
        const int n = pointCount();
        countLine_ = reader_.lastLine();
        countText_ = std::to_string(n);
        file.points.reserve(static_cast<std::size_t>(n));
        file.pointLines.reserve(static_cast<std::size_t>(n));
        std::array<int, kFringeSlots> perFringe{};
        std::string previous = "the number of points";
        for (int i = 1; i <= n; ++i) {
            const std::string which = "point " + std::to_string(i) + " of " + std::to_string(n);
            if (!twips_)
                requireLineStart(previous);
            const int fringe = fringeIndex(which);
            const int line = reader_.lastLine();
            if (++perFringe[static_cast<std::size_t>(fringe)] > FringeStore::kMaxPointsPerFringe)
                throw FileError(line, "fringe index " + std::to_string(fringe) +
                                          " receives a 201st point; a fringe holds at most 200");
            const double x = position(perPixelX_, "the x of " + which);
            requireSameLine(line, which);
            const double y = position(perPixelY_, "the y of " + which);
            requireSameLine(line, which);
            file.points.push_back({fringe, x, y});
            file.pointLines.push_back(line);
            previous = which + " (fringe, x, y)";
        }
        const int settingsLine = settings(file, previous);
        checkValues(file, apertureLine, obstructionLine, settingsLine);
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

    // Hint added to structure faults found after the count.
    std::string countHint() const {
        return "; does the number of points on line " + std::to_string(countLine_) + " (" +
               countText_ + ") match the point lines?";
    }

    // The next field must begin a line: more values on the current line than
    // `holder` ("point 2 of 3 (fringe, x, y)") are refused.
    void requireLineStart(const std::string& holder) {
        if (reader_.atLineStart())
            return;
        throw FileError(reader_.lastLine(),
                        "more values on this line than " + holder + countHint());
    }

    void requireSameLine(int line, const std::string& which) {
        if (twips_ || reader_.lastLine() == line)
            return;
        throw FileError(line, which + " is cut short: each point is one line \"fringe, x, y\"" +
                                  countHint());
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
    // file ends inside is treated as missing. Returns the settings line (0
    // when absent).
    int settings(FringeDataFile& file, const std::string& previous) {
        file.wavelengthsPresent = false;
        file.asphericPresent = false;
        // The settings begin the line after the points, in both layouts.
        requireLineStart(previous);
        auto input = reader_.nextNumberOrEnd("the input wavelength");
        if (!input)
            return 0;
        const int line = reader_.lastLine();
        auto output = reader_.nextNumberOrEnd("the output wavelength");
        if (!output)
            return 0;
        auto waves = reader_.nextNumberOrEnd("the waves per fringe");
        if (!waves)
            return 0;
        if (!twips_ && reader_.lastLine() != line)
            throw FileError(line, "the settings line (input wavelength, output wavelength, "
                                  "waves per fringe) is cut short" +
                                      countHint());
        file.inputWavelengthNm = *input;
        file.outputWavelengthNm = *output;
        file.wavesPerFringe = toSingle(reader_, *waves, "the waves per fringe");
        // The wavelengths and aspheric values are single precision once loaded;
        // they keep the file's digits here but must fit that range.
        (void)toSingle(reader_, *input, "the input wavelength");
        (void)toSingle(reader_, *output, "the output wavelength");
        file.wavelengthsPresent = true;

        // Current layout: each aspheric value alone on its line.
        const std::string settingsHolder =
            "the settings (input wavelength, output wavelength, waves per fringe)";
        if (!twips_)
            requireLineStart(settingsHolder);
        auto diameter = reader_.nextNumberOrEnd("the surface diameter");
        if (!diameter)
            return line;
        (void)toSingle(reader_, *diameter, "the surface diameter");
        if (!twips_)
            requireLineStart("the surface diameter");
        auto curvature = reader_.nextNumberOrEnd("the curvature radius");
        if (!curvature)
            return line;
        (void)toSingle(reader_, *curvature, "the curvature radius");
        if (!twips_)
            requireLineStart("the curvature radius");
        auto conic = reader_.nextNumberOrEnd("the target conic constant");
        if (!conic)
            return line;
        file.surfaceDiameterMm = *diameter;
        file.curvatureRadiusMm = *curvature;
        file.targetConic =
            static_cast<double>(toSingle(reader_, *conic, "the target conic constant"));
        file.asphericPresent = true;
        readOrders(file);
        return line;
    }

    // After the settings only a group of explicit fringe orders may follow: its
    // count alone on a line, then one line "fringe, order" each. Anything else
    // means the count and the lines disagree.
    void readOrders(FringeDataFile& file) {
        const bool lineStart = reader_.atLineStart();
        const auto first = reader_.next();
        if (!first)
            return;
        const std::optional<double> m = parseStrict(first->text);
        if (twips_ || !lineStart || !reader_.atLineStart() || !m || !isWhole(*m) || *m < 1.0 ||
            *m > FringeStore::kFringesInUse)
            throw FileError(first->line,
                            "more lines than the points and settings fill" + countHint());
        const int count = static_cast<int>(*m);
        std::array<int, kFringeSlots> points{};
        for (const FringePoint& p : file.points)
            ++points[static_cast<std::size_t>(p.fringe)];
        std::array<bool, FringeStore::kFringesInUse> named{};
        for (int i = 1; i <= count; ++i) {
            const std::string which =
                "fringe order " + std::to_string(i) + " of " + std::to_string(count);
            if (!reader_.atLineStart())
                throw FileError(reader_.lastLine(),
                                "more values on this line than " + which + " (fringe, order)");
            const int fringe = wholeInRange(reader_.nextNumber("the fringe index of " + which),
                                            "the fringe index", " of an order record");
            const int line = reader_.lastLine();
            if (named[static_cast<std::size_t>(fringe)])
                throw FileError(line, "fringe index " + std::to_string(fringe) +
                                          " is given an order a second time");
            named[static_cast<std::size_t>(fringe)] = true;
            if (points[static_cast<std::size_t>(fringe)] == 0)
                throw FileError(line, "fringe index " + std::to_string(fringe) +
                                          " is given an order but holds no points");
            const int order = wholeInRange(reader_.nextNumber("the order of " + which), "the order",
                                           " of fringe index " + std::to_string(fringe));
            if (reader_.lastLine() != line)
                throw FileError(line, which + " is cut short: each is one line \"fringe, order\"");
            if (order != fringe)
                file.orders.push_back({fringe, order});
        }
        if (auto extra = reader_.next())
            throw FileError(extra->line,
                            "more lines than the points, settings and fringe orders fill");
        std::sort(file.orders.begin(), file.orders.end(),
                  [](const auto& a, const auto& b) { return a.fringe < b.fringe; });
    }

    // A fringe index or order of the order group: a whole number 0..100.
    int wholeInRange(double v, const std::string& what, const std::string& whose) const {
        if (!isWhole(v) || v < 0.0 || v > FringeStore::kMaxFringeOrder)
            throw FileError(reader_.lastLine(), what + " " + formatSignificant(v, 15) + whose +
                                                    " is not a whole number from 0 to " +
                                                    std::to_string(FringeStore::kMaxFringeOrder));
        return static_cast<int>(v);
    }

    void checkValues(const FringeDataFile& file, int apertureLine, int obstructionLine,
                     int settingsLine) const {
        if (auto fault = valueFault(file, apertureLine, obstructionLine, settingsLine))
            throw FileError(fault->line, fault->problem);
    }

    FieldReader reader_;
    bool twips_;
    double perPixelX_;
    double perPixelY_;
    int countLine_ = 0;
    std::string countText_;
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

namespace {

template <class Check> void checkEachPoint(const FringeDataFile& file, Check problemOf) {
    for (std::size_t i = 0; i < file.points.size(); ++i) {
        const FringePoint& p = file.points[i];
        const std::string which = "point " + std::to_string(i + 1);
        if (auto problem = problemOf(which, p)) {
            if (i < file.pointLines.size())
                throw FileError(file.pointLines[i], *problem);
            throw FileError(*problem);
        }
    }
}

} // namespace

void FringeDataFile::checkPointsNearAperture() const {
    checkEachPoint(*this, [this](const std::string& which, const FringePoint& p) {
        return pointNearApertureProblem(which, p.xPx, p.yPx, aperture.centerXPx, aperture.centerYPx,
                                        aperture.radiusPx);
    });
}

void FringeDataFile::checkPointsNearPicture(int widthPx, int heightPx) const {
    checkEachPoint(*this, [widthPx, heightPx](const std::string& which, const FringePoint& p) {
        return pointNearPictureProblem(which, p.xPx, p.yPx, widthPx, heightPx);
    });
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
    for (const OrderRecord& o : orders)
        store.setFringeOrder(o.fringe, o.order);
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
    for (int f = 0; f < FringeStore::kFringesInUse; ++f)
        if (store.pointCount(f) > 0 && store.hasExplicitOrder(f))
            file.orders.push_back({f, store.fringeOrder(f)});
    return file;
}

void FringeDataFile::setStandardAnalysis() {
    surfaceDiameterMm = 0.0;
    curvatureRadiusMm = 0.0;
    targetConic = -1.0;
}

bool FringeDataFile::operator==(const FringeDataFile& o) const {
    // pointLines say where the values stood, not what they are.
    return aperture == o.aperture && obstruction == o.obstruction && points == o.points &&
           orders == o.orders && inputWavelengthNm == o.inputWavelengthNm &&
           outputWavelengthNm == o.outputWavelengthNm && wavesPerFringe == o.wavesPerFringe &&
           surfaceDiameterMm == o.surfaceDiameterMm && curvatureRadiusMm == o.curvatureRadiusMm &&
           targetConic == o.targetConic && wavelengthsPresent == o.wavelengthsPresent &&
           asphericPresent == o.asphericPresent;
}

std::string FringeDataFile::toText() const {
    // What cannot be loaded again is not saved: the user can still correct it.
    if (auto fault = valueFault(*this, 0, 0, 0))
        throw FileError("Cannot save the fringe data: " + fault->problem + ".");
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
    // Only when orders were given, so that files of implicit orders stay as they were.
    std::string orderLines;
    int m = 0;
    std::array<bool, FringeStore::kFringesInUse> written{};
    for (const FringePoint& p : points)
        if (p.fringe >= 0 && p.fringe < FringeStore::kFringesInUse)
            written[static_cast<std::size_t>(p.fringe)] = true;
    for (const OrderRecord& o : orders) {
        // An order of a fringe that is not written would make the file unreadable.
        if (o.fringe < 0 || o.fringe >= FringeStore::kFringesInUse || o.order == o.fringe ||
            !written[static_cast<std::size_t>(o.fringe)])
            continue;
        if (o.order < 0 || o.order > FringeStore::kMaxFringeOrder)
            throw FileError("Cannot save the fringe data: the order " + std::to_string(o.order) +
                            " of fringe " + std::to_string(o.fringe + 1) + " is outside 0..100.");
        orderLines += std::to_string(o.fringe) + "," + std::to_string(o.order) + "\r\n";
        ++m;
    }
    if (m > 0)
        text += std::to_string(m) + "\r\n" + orderLines;
    return text;
}

void FringeDataFile::writeFile(const std::filesystem::path& path) const {
    writeTextFileReplacing(path, toText());
}

} // namespace lumi
