#pragma once

#include <stdexcept>
#include <string>

namespace lumi {

// A data file that cannot be read or written. what() is the text shown to the
// user: "line 7: fringe index 250 is above 200" for a fault in the file's
// contents, or a plain sentence for an open/write failure (line() == 0).
class FileError : public std::runtime_error {
public:
    explicit FileError(const std::string& message) : std::runtime_error(message) {}
    // line: 1-based physical line of the offending field.
    FileError(int line, const std::string& problem)
        : std::runtime_error("line " + std::to_string(line) + ": " + problem), line_(line) {}

    int line() const { return line_; }

    // The error as it is reported for file `path`: a contents fault ("line 7:
    // ...") gains the file's name in front; an open/write error names it already.
    FileError namingFile(const std::string& path) const {
        return line_ > 0 ? FileError(path + ": " + what()) : *this;
    }

private:
    int line_ = 0;
};

} // namespace lumi
