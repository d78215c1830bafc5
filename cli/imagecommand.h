#pragma once

#include "imaging/imageoperation.h"

#include <iosfwd>
#include <span>
#include <string>
#include <vector>

namespace lumi::cli {

// What "lumivorexan-cli image" was asked to do: the operations in command-line order.
struct ImageRequest {
    std::string inFile;
    std::string outFile; // .bmp, .jpg/.jpeg or .png, replaced if it exists
    std::vector<ImageOperation> operations;
    bool helpRequested = false;
};

// Parses the arguments after "image". Throws UsageError.
ImageRequest parseImageArguments(std::span<const std::string> args);

std::string imageHelpText();

// "lumivorexan-cli image IN OUT [operations]": exit 0; 2 for a bad command line,
// a picture that cannot be read or written, or a refused scale.
int runImage(std::span<const std::string> args, std::ostream& out, std::ostream& err);

} // namespace lumi::cli
