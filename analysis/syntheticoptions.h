#pragma once

#include "analysis/analysissettings.h"

#include <array>

namespace lumi {

// "Drawing Color" of the synthetic and ideal interferograms.
enum class SyntheticColor { Grey, Red, Green };

// "       Display as..." (aspheric analysis only): the interferogram as the test shows
// it ("Real Igram") or with the ideal conic's primary spherical taken out ("Null Test").
enum class SyntheticDisplay { RealIgram, NullTest };

// The controls of the "Synthetic" page, read at each update. The eight "Remove"
// boxes have the term sets of the "REMOVE" boxes (RemovalGroup order) but are
// independent of them and all clear at start.
struct SyntheticOptions {
    int gridSize = 128; // d: 64, 128 or 256 cells each way
    SyntheticColor color = SyntheticColor::Red;
    std::array<bool, kRemovalGroupCount> removalFlags{};
    SyntheticDisplay display = SyntheticDisplay::RealIgram;
    double wavesPerFringe = 0.5; // "Waves/ Fringe" as typed; its sign is ignored

    bool isRemoved(RemovalGroup g) const { return removalFlags[static_cast<std::size_t>(g)]; }
    void setRemoved(RemovalGroup g, bool on) { removalFlags[static_cast<std::size_t>(g)] = on; }
    // True when term t (1..36) belongs to a ticked "Remove" group.
    bool termIsRemoved(int term) const;
};

} // namespace lumi
