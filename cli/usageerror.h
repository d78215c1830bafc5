#pragma once

#include <stdexcept>
#include <string>

namespace lumi::cli {

// A command line that cannot be understood: unknown option, missing or bad
// value. what() is one sentence for the user; the command adds its usage.
class UsageError : public std::runtime_error {
public:
    explicit UsageError(const std::string& message) : std::runtime_error(message) {}
};

} // namespace lumi::cli
