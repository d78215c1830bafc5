#pragma once

#include <iosfwd>
#include <span>
#include <string>

namespace lumi::cli {

// "lumivorexan-cli psi FRAME FRAME FRAME ...": the phase-shifting analysis of
// several frames of one set-up; exit 0, 2 (usage, a frame that cannot be read or
// differs in size, steps that do not determine the phase) or 3 (the analysis
// failed: too little modulation, steps that cannot be estimated, unwrapping).
int runPsi(std::span<const std::string> args, std::ostream& out, std::ostream& err);

} // namespace lumi::cli
