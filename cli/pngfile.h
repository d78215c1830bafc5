#pragma once

#include <filesystem>

class QImage;

namespace lumi::cli {

// Encodes the picture as PNG in memory and writes it through the program's one
// safe writer, so a failed write (full disk, device, folder) leaves any old
// file untouched. Throws FileError naming the file.
void writePngFile(const QImage& image, const std::filesystem::path& path);

} // namespace lumi::cli
