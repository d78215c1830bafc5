#include "report/tracestoptexts.h"

#include "common/numbertext.h"

namespace lumi {
namespace {

std::string pointText(ImagePoint p) {
    return "(" + formatFixed(p.xPx, 1) + ", " + formatFixed(p.yPx, 1) + ")";
}

} // namespace

std::string_view traceStopReasonName(TraceStop::Reason reason) {
    switch (reason) {
    case TraceStop::Reason::NoFringeAtSeed: return "noFringeAtSeed";
    case TraceStop::Reason::ShallowMinimum: return "shallowMinimum";
    case TraceStop::Reason::WideDarkPatch: return "wideDarkPatch";
    case TraceStop::Reason::LostDarkLine: return "lostDarkLine";
    case TraceStop::Reason::NearOtherFringe: return "nearOtherFringe";
    }
    return "unknown";
}

std::string traceStopText(const TraceStop& stop) {
    const std::string fringe = "Fringe " + std::to_string(stop.fringe + 1);
    switch (stop.reason) {
    case TraceStop::Reason::NoFringeAtSeed:
        return fringe + ": no fringes were found around its seed " + pointText(stop.where) +
               "; only the seed was kept.";
    case TraceStop::Reason::ShallowMinimum:
        return fringe + " stopped at " + pointText(stop.where) +
               ": its dark line faded (a bright speck or low contrast).";
    case TraceStop::Reason::WideDarkPatch:
        return fringe + " stopped at " + pointText(stop.where) +
               ": its dark line ran into a dark patch wider than a fringe (a mark?).";
    case TraceStop::Reason::LostDarkLine:
        return fringe + " stopped at " + pointText(stop.where) +
               ": no dark line within half a fringe period of its path.";
    case TraceStop::Reason::NearOtherFringe:
        return fringe + " stopped at " + pointText(stop.where) +
               ": it came within half a fringe period of fringe " +
               std::to_string(stop.otherFringe + 1) + ".";
    }
    return fringe + " stopped at " + pointText(stop.where) + ".";
}

std::vector<std::string> traceStopTexts(const std::vector<TraceStop>& stops) {
    std::vector<std::string> out;
    out.reserve(stops.size());
    for (const TraceStop& s : stops)
        out.push_back(traceStopText(s));
    return out;
}

} // namespace lumi
