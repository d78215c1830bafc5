#pragma once
// The one way a picture file enters the program, for the window ("Load
// Image", drop, recent files, image processing) and every command that reads
// a photo. Needs QtGui only.

#include "imaging/pixelgrid.h"

#include <QByteArray>
#include <QImage>

#include <cstdint>
#include <filesystem>
#include <string>

namespace lumi {

// A picture file larger than this is not a photo (a 6000 x 4000 24-bit BMP is
// 72 MB); it is refused before it is read into memory.
inline constexpr std::uintmax_t kMaxPictureFileBytes = 1024u * 1024u * 1024u;

struct LoadedPicture {
    enum class Problem {
        None,
        Unreadable,  // missing, not a regular file (a FIFO would block), too large, read error
        Damaged,     // pictureDamage(): truncated, pixel data past the end
        NotAPicture, // no decoder recognises the bytes
        TooLarge,    // a side above kMaxPictureSidePx, or the decoder cannot hold it
        Undecodable, // a recognised format the decoder fails on
    };
    QImage picture; // null unless problem == None
    Problem problem = Problem::None;
    // In words ("the BMP file ... is truncated"), without the file's name,
    // except for Unreadable: the reader's whole sentence, which names it.
    std::string reason;
    // "Cannot read the picture NAME: reason." (empty when there is no problem).
    std::string message(const std::filesystem::path& path) const;
};

// Reads, checks and decodes the picture file. Every check is made before the
// decoder allocates the picture; the picture returned is never null.
LoadedPicture loadPicture(const std::filesystem::path& path);
// The same on the bytes of a file already in memory (sample pictures).
LoadedPicture decodePicture(const QByteArray& bytes);

// loadPicture() for the command line: the picture, or FileError with message().
QImage readPictureFile(const std::filesystem::path& path);
// The photo commands' entry point (trace and those analysing a photo): the
// picture file as the core's pixel grid (toPixelGrid), or FileError.
PixelGrid readPicturePixelGrid(const std::filesystem::path& path);

} // namespace lumi
