#pragma once

#include "imaging/pixelgrid.h"

#include <string>

namespace lumi::cli {

// Reads a picture (BMP, JPEG, PNG, ... as Qt's image plugins know them) into a
// pixel grid. Throws FileError "cannot read the picture PATH: reason".
PixelGrid readPictureFile(const std::string& path);

} // namespace lumi::cli
