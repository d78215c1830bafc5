#pragma once

#include "fringe/aperturecircle.h"
#include "fringe/fringepoint.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace lumi {

class FringeStore;
class FringeEditor;

// The contents of a fringe data file (.frg): circles, points and the analysis
// parameters saved with them. Reading fills this value from the whole file
// without touching the live store; only a file that read completely is then
// put into the store (applyTo), so a bad file never leaves a half-loaded store.
//
// Layout (one record per line, CRLF, "." decimal point):
//   aperture cx, cy, r / obstruction cx, cy, r (0,0,0: none) / n /
//   n lines "fringe, x, y" / input nm, output nm, waves per fringe /
//   surface diameter mm / curvature radius mm / target conic
//   [/ m / m lines "fringe, order"].
// A surface diameter of 0 means standard analysis (written as 0, 0, -1).
// The last group is there only when fringes carry explicit orders (a fringe's
// order is otherwise its index): files without it read and are written as
// they always were, and readers that stop after the target conic still take
// every point.
struct FringeDataFile {
    // The current layout stores positions in image pixels; the older one in
    // twips (1/1440 inch) of the display that wrote it.
    enum class Layout { Current, OlderTwips };
    static constexpr double kDefaultTwipsPerPixel = 15.0; // 96 dots per inch
    static constexpr int kMaxFringeIndex = 200;           // highest index a file may name

    // An explicit fringe order: fringe index and order, both 0-based.
    struct OrderRecord {
        int fringe = 0;
        int order = 0;
        bool operator==(const OrderRecord&) const = default;
    };

    ApertureCircle aperture;
    ApertureCircle obstruction;
    std::vector<FringePoint> points; // file order; fringe 0..200, <= 200 points per fringe
    // 1-based line of each point in the file read (empty for a value made in
    // the program); lets a later check of a point name its line.
    std::vector<int> pointLines;
    // Fringes 0..100 with points whose order is not their index, ascending.
    std::vector<OrderRecord> orders;

    double inputWavelengthNm = 632.8;
    double outputWavelengthNm = 632.8;
    float wavesPerFringe = 0.5f;
    double surfaceDiameterMm = 0.0; // 0: standard analysis
    double curvatureRadiusMm = 0.0;
    double targetConic = -1.0; // written as a double, read back in single precision

    // What the file held after its points. A file may end right after its
    // points (both false) or after the wavelength line (aspheric false); the
    // caller then keeps its own values for the missing lines and selects
    // standard analysis.
    bool wavelengthsPresent = true;
    bool asphericPresent = true;

    // Aspheric surface analysis is selected after loading.
    bool isAspheric() const { return asphericPresent && surfaceDiameterMm != 0.0; }

    // The fringe of the last record in 0..100, which becomes the active fringe
    // (records may come in any order); 0 for a file without such points.
    int activeFringeAfterLoad() const;

    // Reads a whole file text. Throws FileError "line N: ..." on a field that
    // is not a number, a fringe index outside 0..200, a 201st point on one
    // fringe, a negative or fractional count, a value after the points beyond
    // single precision, a file that ends before all its points, records that
    // do not match the count (in the current layout a point or settings line
    // holding more or fewer than its values; in both layouts settings that do
    // not begin a line, or anything after the target conic), and values an
    // analysis refuses (common/valuelimits.h: wavelengths, waves per fringe,
    // an obstruction outside the aperture, points without an aperture).
    // twipsPerPixelX/Y (> 0) convert the older layout; each converted value
    // passes through single precision, as those files were made.
    static FringeDataFile parse(std::string_view text, Layout layout = Layout::Current,
                                double twipsPerPixelX = kDefaultTwipsPerPixel,
                                double twipsPerPixelY = kDefaultTwipsPerPixel);
    // parse() of a file's contents; FileError also when it cannot be read.
    static FringeDataFile readFile(const std::filesystem::path& path,
                                   Layout layout = Layout::Current,
                                   double twipsPerPixelX = kDefaultTwipsPerPixel,
                                   double twipsPerPixelY = kDefaultTwipsPerPixel);

    // Throw FileError "line N: point K ..." for the first point farther than
    // ValueLimits::kMaxPointDistanceRadii aperture radii from the aperture
    // centre (the command line, which has no picture), or lying far outside a
    // picture of widthPx x heightPx (the window). Points only: the reader has
    // checked the circles and settings.
    void checkPointsNearAperture() const;
    void checkPointsNearPicture(int widthPx, int heightPx) const;

    // Replaces the store's circles and points with the file's: all fringes are
    // emptied first, then the points are appended in file order (points on
    // fringes 101..200 are kept but never used or written) and the orders set.
    void applyTo(FringeStore& store) const;
    // As above, and the editor gets the active fringe and the group enabling
    // of a loaded file.
    void applyTo(FringeStore& store, FringeEditor& editor) const;

    // Circles, fringes 0..100 and their explicit orders, in file order; the settings
    // fields keep their values (set them before writing).
    static FringeDataFile fromStore(const FringeStore& store);
    // Standard analysis is saved as diameter 0, curvature 0, target -1.
    void setStandardAnalysis();

    // The file text in the current layout: doubles to 15 significant digits,
    // single-precision values to 7, integers without a point, CRLF line ends.
    std::string toText() const;
    // Writes toText() through the safe writer (common/textfile.h), so an
    // existing file survives a failed write. Throws FileError, also for values
    // that parse() would refuse (nothing is written that cannot be loaded).
    void writeFile(const std::filesystem::path& path) const;

    // Equal values; where they stood in a file (pointLines) does not count.
    bool operator==(const FringeDataFile& other) const;
};

} // namespace lumi
