#include "fringe/fieldreader.h"

#include "common/fileerror.h"
#include "common/numbertext.h"

namespace lumi {
namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}
bool isLineEnd(char c) {
    return c == '\r' || c == '\n';
}

} // namespace

FieldReader::FieldReader(std::string_view text) : text_(text) {
    if (text_.substr(0, 3) == "\xEF\xBB\xBF")
        pos_ = 3;
}

std::optional<FieldReader::Field> FieldReader::next() {
    if (!inLine_) {
        // Skip blank lines: they hold no field.
        for (;;) {
            std::size_t i = pos_;
            while (i < text_.size() && isBlank(text_[i]))
                ++i;
            if (i == text_.size())
                return std::nullopt;
            if (!isLineEnd(text_[i]))
                break;
            // CRLF is one line end; a lone CR or LF is one too.
            if (text_[i] == '\r' && i + 1 < text_.size() && text_[i + 1] == '\n')
                ++i;
            pos_ = i + 1;
            ++line_;
        }
    }
    std::size_t end = pos_;
    while (end < text_.size() && text_[end] != ',' && !isLineEnd(text_[end]))
        ++end;
    Field field{text_.substr(pos_, end - pos_), line_};
    lastLine_ = line_;
    if (end < text_.size() && text_[end] == ',') {
        pos_ = end + 1;
        inLine_ = true;
    } else if (end < text_.size()) {
        if (text_[end] == '\r' && end + 1 < text_.size() && text_[end + 1] == '\n')
            ++end;
        pos_ = end + 1;
        ++line_;
        inLine_ = false;
    } else {
        pos_ = end;
        inLine_ = false;
    }
    return field;
}

double FieldReader::nextNumber(const std::string& what) {
    std::optional<double> v = nextNumberOrEnd(what);
    if (!v)
        throw FileError(lastLine_, "the file ends before " + what);
    return *v;
}

std::optional<double> FieldReader::nextNumberOrEnd(const std::string& what) {
    std::optional<Field> field = next();
    if (!field)
        return std::nullopt;
    std::optional<double> v = parseStrict(field->text);
    if (v)
        return v;
    if (field->text.find_first_not_of(" \t") == std::string_view::npos)
        throw FileError(field->line, "an empty field where " + what + " was expected");
    throw FileError(field->line, quoted(field->text) + " is not a number (" + what + ")");
}

std::string FieldReader::quoted(std::string_view text) {
    constexpr std::size_t kMaxShown = 24;
    std::string out = "\"";
    for (std::size_t i = 0; i < text.size() && i < kMaxShown; ++i) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        out += (c < 0x20 || c >= 0x7F) ? '?' : static_cast<char>(c); // plain ASCII in messages
    }
    if (text.size() > kMaxShown)
        out += "...";
    out += '"';
    return out;
}

} // namespace lumi
