#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

class QImage;

namespace lumi::cli {

// Encodes the picture as PNG in memory and writes it through the program's one
// safe writer, so a failed write (full disk, device, folder) leaves any old
// file untouched. Throws FileError naming the file.
void writePngFile(const QImage& image, const std::filesystem::path& path);

// A grey picture of a pupil map (row-major, width x height): the values of the
// pixels with inPupil set stretched from grey 20 (lowest) to 255 (highest), the
// surround black, so the lowest point of the pupil still stands out from it.
QImage greyPupilPicture(int width, int height, const std::vector<double>& values,
                        const std::vector<std::uint8_t>& inPupil);

} // namespace lumi::cli
