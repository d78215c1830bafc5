#pragma once

#include <iosfwd>
#include <span>
#include <string>

namespace lumi::cli {

// "lumivorexan-cli fourier IMAGE ...": whole-field analysis of a fringe photo,
// printing what analyze prints. Exit 0, 2 (usage, unreadable picture, file) or
// 3 (the analysis cannot work on the picture, with the reason).
int runFourier(std::span<const std::string> args, std::ostream& out, std::ostream& err);

// The --help page of "fourier".
std::string fourierHelpText();

} // namespace lumi::cli
