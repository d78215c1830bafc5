#pragma once

namespace lumi {

// "Backcolor" of the 3-D surfaces: the entries "White" and "Black".
enum class SurfaceBackground { White, Black };

} // namespace lumi
