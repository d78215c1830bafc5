#pragma once

#include "fringe/fringestore.h"
#include "fringe/fringetracer.h"
#include "fringe/groupenabling.h"

#include <array>
#include <vector>

namespace lumi {

// The editing state kept beside the FringeStore: the active fringe, the
// three-click circle construction, the most recently added point and which
// control groups accept input. The store's point counts are always current
// (every addition updates them), so no count is held here.
// Fringe indices are 0-based (shown to the user as index + 1); positions are
// image pixels, x right, y down.
class FringeEditor {
public:
    static constexpr int kMaxActiveFringe = FringeStore::kFringesInUse - 1; // 100

    enum class ConstructionOutcome {
        NotConstructing, // no "Add Circle" pending, or autotracing: the click is ignored
        ClickStored,     // click 1 or 2 stored
        ApertureCompleted,
        ObstructionCompleted,
        Collinear, // third click on the line of the first two: clicks discarded, the
                   // construction restarts, the stored circle keeps its value
    };

    int activeFringe() const { return activeFringe_; }
    // Makes fringe f (0..100) the active one; false and no change outside that range.
    bool selectActiveFringe(int fringe);

    // Empties the active fringe; other fringes and the circles stay.
    void deleteActiveFringe(FringeStore& store) const;
    // Empties fringes 0..100 (after the user confirmed), switches autotracing
    // off and makes fringe 0 active; the circles stay.
    void deleteAllPoints(FringeStore& store);
    // Reverses fringes 0..n-1 (n = fringes holding points) and makes n-1
    // active; returns n (0: nothing changed, the active fringe stays).
    int reverseFringeOrder(FringeStore& store);

    // Adds a point to the active fringe and remembers it as the last point;
    // false (nothing added) when the fringe already holds 200 points.
    bool addPointToActiveFringe(FringeStore& store, double xPx, double yPx);
    // Distance in pixels from (x, y) to the last added point, +infinity when
    // there is none (spraying then adds at once).
    double distanceToLastPoint(const FringeStore& store, double xPx, double yPx) const;
    int lastFringe() const { return lastFringe_; }
    int lastPoint() const { return lastPoint_; }

    // Reset for a new image: the store is emptied (circles too), constructions
    // and autotracing end, fringe 0 becomes active, imageLoaded is set.
    void resetForNewImage(FringeStore& store);
    // After a fringe data file has been put into the store: `fringe` (0..100)
    // becomes active, any circle construction ends, the groups are enabled
    // as after a completed aperture.
    void fringeFileLoaded(int fringe);

    // "Add Circle" of the aperture / obstruction group.
    void startApertureConstruction();
    void startObstructionConstruction();
    // A left-button release on the view; at the third click the circle is
    // stored into the store's aperture or obstruction.
    ConstructionOutcome addConstructionClick(FringeStore& store, double xPx, double yPx);
    // "Clear" of the aperture group: the clicks are discarded; the stored
    // aperture is kept (it stays in force until a new one replaces it).
    void clearAperture();
    // "Clear" of the obstruction group: the clicks are discarded and the
    // obstruction circle becomes 0 (none).
    void clearObstruction(FringeStore& store);

    bool addingAperture() const { return addingAperture_; }
    bool addingObstruction() const { return addingObstruction_; }
    int constructionClicks() const { return constructionClicks_; }
    // Construction click i (1..constructionClicks()), image pixels.
    double constructionX(int click) const {
        return constructionX_.at(static_cast<std::size_t>(click));
    }
    double constructionY(int click) const {
        return constructionY_.at(static_cast<std::size_t>(click));
    }

    bool imageLoaded() const { return imageLoaded_; }
    bool autoTracing() const { return autoTracing_; }
    void setAutoTracing(bool on) { autoTracing_ = on; }

    // "YES" of the autotracing confirmation: fringes 0..100 are emptied (the
    // circles stay), fringe 0 becomes active, earlier seeds are forgotten
    // (an abandoned seeding never shifts the next one) and seeding starts.
    void beginSeeding(FringeStore& store);
    // A click while seeding: the next seed, for fringe seeds().size(), with
    // the order nextSeedOrder(). False (nothing placed) once seeds for all 101
    // fringes are placed.
    bool addSeed(double xPx, double yPx);
    // Seeds in fringe order; seed k starts fringe k.
    const std::vector<ImagePoint>& seeds() const { return seeds_; }
    // The fringe order of each seed (0-based, shown + 1), beside seeds().
    const std::vector<int>& seedOrders() const { return seedOrders_; }
    // The order the next seed takes: one above the last seed's order (0 for
    // the first), unless chosen otherwise since that seed.
    int nextSeedOrder() const { return nextSeedOrder_; }
    // Chooses the next seed's order (0..FringeStore::kMaxFringeOrder); false
    // and no change outside.
    bool setNextSeedOrder(int order);
    // The next seed takes the last seed's order (a second ring of one order);
    // false when no seed is placed yet.
    bool repeatLastSeedOrder();
    // The trace starts: seeding ends and the seeds are handed over (their
    // orders go with seedOrders(), read before).
    std::vector<ImagePoint> takeSeeds();

    // Gives the active fringe the order `order` (0..100; its own index makes
    // it implicit again); false and no change outside that range.
    bool setActiveFringeOrder(FringeStore& store, int order) const;
    // "Follow the fringe direction" as last chosen in the autotracing
    // confirmation: the trace follows each fringe's own direction.
    bool followFringe() const { return followFringe_; }
    void setFollowFringe(bool on) { followFringe_ = on; }

    const GroupEnabling& groups() const { return groups_; }

    bool operator==(const FringeEditor&) const = default;

private:
    void discardConstruction();
    void clearSeeds();

    int activeFringe_ = 0;
    bool imageLoaded_ = false;
    bool autoTracing_ = false;
    bool addingAperture_ = false;
    bool addingObstruction_ = false;
    int constructionClicks_ = 0;
    std::array<double, 4> constructionX_{}; // index 0 unused
    std::array<double, 4> constructionY_{};
    int lastFringe_ = 0;
    int lastPoint_ = 0; // 0: no point added yet
    std::vector<ImagePoint> seeds_;
    std::vector<int> seedOrders_;
    int nextSeedOrder_ = 0;
    bool followFringe_ = false;
    GroupEnabling groups_{};
};

} // namespace lumi
