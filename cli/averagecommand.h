#pragma once

#include <iosfwd>
#include <span>
#include <string>

namespace lumi::cli {

// "lumivorexan-cli average A.zrk B.zrk ... [--frg FILE.frg] [analyze's options]":
// averages Zernike files as the window's averaging does and prints the same
// page or JSON as "analyze", plus the per-term standard deviations.
// Exit 0, 2 (usage, or a file that cannot be read) or 3 (unequal term counts,
// missing aperture, analysis fault).
int runAverage(std::span<const std::string> args, std::ostream& out, std::ostream& err);

} // namespace lumi::cli
