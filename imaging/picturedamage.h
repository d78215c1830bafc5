#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace lumi {

// Checks the structure of a JPEG or BMP file held in memory for damage the
// decoders only warn about: a JPEG whose entropy-coded data stop before the
// end-of-image marker (a truncated download or copy, which decodes as a
// picture with a grey lower part), a BMP shorter than its rows need or
// whose pixel data would start past its end (any coding).
// Returns the reason in words, or an empty text when the file looks whole or
// is of another format (left to its decoder).
std::string pictureDamage(std::span<const std::uint8_t> bytes);

} // namespace lumi
