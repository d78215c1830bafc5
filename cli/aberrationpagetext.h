#pragma once

#include <string>

namespace lumi {
struct Measurement;
}

namespace lumi::cli {

// The "Aberration" page as the window shows it, as plain text: settings used,
// fringe and point counts, fit error, the summary rows (caption, waves text,
// nm text), the report texts in the chosen unit, then the coefficient list in
// fringes (fitted coefficient / waves per fringe, 6 decimals, descriptions)
// for terms 0..highestTerm. Expects a completed APPLY.
std::string aberrationPageText(const Measurement& m, const std::string& fringeFile);

} // namespace lumi::cli
