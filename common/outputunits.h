#pragma once

namespace lumi {

// The unit reports give aberration values in: waves or nanometres, both at the
// output wavelength.
enum class OutputUnits { Waves, Nanometres };

} // namespace lumi
