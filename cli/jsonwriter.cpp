#include "cli/jsonwriter.h"

#include "common/numbertext.h"

#include <cassert>
#include <cmath>

namespace lumi::cli {

void JsonWriter::newline() {
    out_ += '\n';
    out_.append(2 * stack_.size(), ' ');
}

void JsonWriter::beforeValue() {
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (stack_.empty())
        return;
    assert(!stack_.back().isObject && "object members need a key");
    if (!stack_.back().empty)
        out_ += ',';
    stack_.back().empty = false;
    newline();
}

void JsonWriter::key(std::string_view name) {
    assert(!stack_.empty() && stack_.back().isObject && !afterKey_);
    if (!stack_.back().empty)
        out_ += ',';
    stack_.back().empty = false;
    newline();
    out_ += escaped(name);
    out_ += ": ";
    afterKey_ = true;
}

void JsonWriter::beginObject() {
    beforeValue();
    out_ += '{';
    stack_.push_back({true});
}

void JsonWriter::beginArray() {
    beforeValue();
    out_ += '[';
    stack_.push_back({false});
}

void JsonWriter::endObject() {
    assert(!stack_.empty() && stack_.back().isObject && !afterKey_);
    const bool empty = stack_.back().empty;
    stack_.pop_back();
    if (!empty)
        newline();
    out_ += '}';
    if (stack_.empty())
        out_ += '\n';
}

void JsonWriter::endArray() {
    assert(!stack_.empty() && !stack_.back().isObject);
    const bool empty = stack_.back().empty;
    stack_.pop_back();
    if (!empty)
        newline();
    out_ += ']';
    if (stack_.empty())
        out_ += '\n';
}

void JsonWriter::value(double v) {
    if (!std::isfinite(v)) {
        null();
        return;
    }
    beforeValue();
    out_ += formatShortest(v);
}

void JsonWriter::value(int v) {
    beforeValue();
    out_ += std::to_string(v);
}

void JsonWriter::value(bool v) {
    beforeValue();
    out_ += v ? "true" : "false";
}

void JsonWriter::value(std::string_view text) {
    beforeValue();
    out_ += escaped(text);
}

void JsonWriter::null() {
    beforeValue();
    out_ += "null";
}

std::string JsonWriter::escaped(std::string_view text) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string s = "\"";
    for (char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        switch (ch) {
        case '"': s += "\\\""; break;
        case '\\': s += "\\\\"; break;
        case '\n': s += "\\n"; break;
        case '\r': s += "\\r"; break;
        case '\t': s += "\\t"; break;
        default:
            if (c < 0x20) {
                s += "\\u00";
                s += kHex[c >> 4];
                s += kHex[c & 0xF];
            } else {
                s += ch;
            }
        }
    }
    s += '"';
    return s;
}

} // namespace lumi::cli
