#pragma once

#include "tools/samplegen/rgbimage.h"
#include "tools/samplegen/samplerecipe.h"

#include <QImage>

#include <string>

namespace lumi {

// A copy of a rendered photograph as a 24-bit QImage.
QImage qimageOf(const RgbImage& image);

// Saves a rendered photograph: JPEG at quality 85, or an 8-bit BMP with a 256-entry grey
// palette (grey = the brightest channel). Returns an empty string on success, otherwise
// a message naming the file.
std::string writePicture(const RgbImage& image, PictureFormat format, const std::string& path);

} // namespace lumi
