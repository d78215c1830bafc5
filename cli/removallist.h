#pragma once

#include "analysis/analysissettings.h"
#include "report/aberrationtexts.h"

#include <array>
#include <string_view>

namespace lumi::cli {

using RemovalFlags = std::array<bool, kRemovalGroupCount>;

// "tilt,power,coma" -> the "REMOVE" flags; "none" clears all. Names:
// tilt, power, astigmatism, coma, spherical, high-astigmatism, high-coma,
// high-spherical (case-insensitive, blanks around names ignored).
// Throws UsageError for an unknown or empty name.
RemovalFlags parseRemovalList(std::string_view list);

// The accepted names in RemovalGroup order, for help texts.
using ::lumi::removalGroupName;

} // namespace lumi::cli
