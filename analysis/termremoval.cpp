#include "analysis/termremoval.h"

#include <array>

namespace lumi {

bool removalGroupOf(int term, RemovalGroup& group) {
    using G = RemovalGroup;
    constexpr G A = G::HighOrderAstigmatism, C = G::HighOrderComa, S = G::HighOrderSpherical;
    // Group of terms 1..36 in the Fringe ordering.
    static constexpr std::array<G, 36> kGroups = {
        G::Tilt,
        G::Tilt,
        G::Power,
        G::LowOrderAstigmatism,
        G::LowOrderAstigmatism,
        G::LowOrderComa,
        G::LowOrderComa,
        G::LowOrderSpherical,
        A,
        A,
        A,
        A, // 9-12
        C,
        C,
        S, // 13-15
        A,
        A,
        A,
        A,
        A,
        A, // 16-21
        C,
        C,
        S, // 22-24
        A,
        A,
        A,
        A,
        A,
        A,
        A,
        A, // 25-32
        C,
        C,
        S,
        S, // 33-36
    };
    if (term < 1 || term > 36)
        return false;
    group = kGroups[static_cast<std::size_t>(term - 1)];
    return true;
}

bool termIsRemoved(const AnalysisSettings& settings, int term) {
    RemovalGroup group{};
    return removalGroupOf(term, group) && settings.isRemoved(group);
}

} // namespace lumi
