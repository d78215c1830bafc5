#pragma once

#include <stdexcept>
#include <string>

namespace lumi {

// An image operation that cannot be done with the values given (a scale that
// makes an empty or gigantic picture). what() is the sentence shown to the user.
class ImagingError : public std::runtime_error {
public:
    explicit ImagingError(const std::string& message) : std::runtime_error(message) {}
};

} // namespace lumi
