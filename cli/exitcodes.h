#pragma once

namespace lumi::cli {

// Process exit status of lumivorexan-cli.
inline constexpr int kExitOk = 0;
inline constexpr int kExitBadInput = 2; // bad option, bad number, unreadable or malformed file
inline constexpr int kExitAnalysis = 3; // the analysis itself failed (singular fit, zero divisor)

} // namespace lumi::cli
