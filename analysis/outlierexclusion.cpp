#include "analysis/outlierexclusion.h"

#include "analysis/fitquality.h"

#include <algorithm>
#include <array>
#include <set>
#include <utility>

namespace lumi {

OutlierExclusion refitWithoutOutliers(const Measurement& m, const IdealConic& idealConic) {
    OutlierExclusion out;
    out.fittedPoints = m.store;
    out.outcome = {m.settings, m.results, ApplyProgress::Summarised, std::nullopt};
    // originalNumber[f][p - 1]: the point's number in m.store.
    std::array<std::vector<int>, FringeStore::kFringesInUse> originalNumber;
    for (int f = 0; f < FringeStore::kFringesInUse; ++f)
        for (int p = 1; p <= m.store.pointCount(f); ++p)
            originalNumber[static_cast<std::size_t>(f)].push_back(p);

    Measurement work = m;
    for (int round = 0; round < kMostExclusionRounds; ++round) {
        const std::vector<FitFinding> flagged =
            flaggedOutliers(work.store, work.settings.wavesPerFringe,
                            work.results.fittedCoefficients, work.settings.highestTerm);
        if (flagged.empty())
            break;
        std::set<std::pair<int, int>> drop; // (fringe index, point number in work.store)
        for (const FitFinding& f : flagged) {
            const int fringe = f.fringeNumber - 1;
            drop.insert({fringe, f.pointNumber});
            out.excluded.push_back({f.fringeNumber,
                                    originalNumber[static_cast<std::size_t>(fringe)]
                                                  [static_cast<std::size_t>(f.pointNumber - 1)],
                                    f.xPx, f.yPx});
        }
        // Remove from the back of each fringe so the numbers still to remove stay valid.
        for (auto it = drop.rbegin(); it != drop.rend(); ++it) {
            work.store.removePoint(it->first, it->second);
            auto& numbers = originalNumber[static_cast<std::size_t>(it->first)];
            numbers.erase(numbers.begin() + (it->second - 1));
        }
        ApplyOutcome refit = runApply(work, idealConic);
        ++out.rounds;
        if (!refit.succeeded()) {
            out.outcome = std::move(refit);
            return out;
        }
        work.settings = refit.settings;
        work.results = refit.results;
        out.outcome = std::move(refit);
    }
    if (out.rounds > 0)
        out.fittedPoints = std::move(work.store);
    return out;
}

} // namespace lumi
