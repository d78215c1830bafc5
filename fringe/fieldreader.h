#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace lumi {

// Splits the text of a data file into fields the way its records are read:
// a field ends at a comma or at a line end (CR, LF or CRLF), and line breaks
// carry no meaning beyond that, so a reader takes the next fields wherever
// they lie. Blank lines hold no field; an empty piece between commas is a
// field (and then not a number). A leading UTF-8 byte order mark is skipped.
class FieldReader {
public:
    struct Field {
        std::string_view text; // as written, blanks included
        int line = 0;          // 1-based physical line
    };

    // The text must outlive the reader.
    explicit FieldReader(std::string_view text);

    // The next field, or nullopt at the end of the text.
    std::optional<Field> next();

    // Reads the next field as a finite number. Throws FileError naming the
    // line when the field is not a number or the text ends (`what` names the
    // value expected, e.g. "the aperture radius").
    double nextNumber(const std::string& what);

    // Like nextNumber, but nullopt when the text has ended (nothing consumed).
    std::optional<double> nextNumberOrEnd(const std::string& what);

    // True when the last field ended its line (or the text), so the next field
    // starts a line; false after a comma.
    bool atLineStart() const { return !inLine_; }

    // The number of the last line that held a field (1 for an empty text);
    // used to place "the file ends ..." messages.
    int lastLine() const { return lastLine_; }

    // Field text for a message: in double quotes, shortened, bytes outside
    // printable ASCII shown as "?".
    static std::string quoted(std::string_view text);

private:
    std::string_view text_;
    std::size_t pos_ = 0;
    int line_ = 1;
    int lastLine_ = 1;
    bool inLine_ = false; // a comma was seen: the next piece is a field even if empty
};

} // namespace lumi
