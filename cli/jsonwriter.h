#pragma once

#include <nlohmann/json.hpp>

#include <string>
#include <string_view>
#include <vector>

namespace lumi::cli {

// Builds one JSON document (an nlohmann::ordered_json, so members keep their
// call order) and prints it with two-space indents. Numbers use the shortest
// text that reads back to the same double, "." as the decimal point whatever
// the locale; a non-finite number is written as null. Strings are UTF-8; bytes
// that are not are printed as U+FFFD so the output always parses.
// Members are written in call order: key(...) then one value or container.
class JsonWriter {
public:
    void beginObject();
    void endObject();
    void beginArray();
    void endArray();
    void key(std::string_view name);

    void value(double v);
    void value(int v);
    void value(bool v);
    void value(std::string_view text);
    void value(const char* text) { value(std::string_view(text)); }
    void null();

    // Convenience: key + value.
    template <class T> void member(std::string_view name, const T& v) {
        key(name);
        value(v);
    }

    // The document, with a final line end once the outer container closed.
    std::string text() const;

private:
    // Places v where the next value goes; returns it in the document.
    nlohmann::ordered_json& place(nlohmann::ordered_json v);

    nlohmann::ordered_json root_;
    std::vector<nlohmann::ordered_json*> open_; // containers not yet closed, outermost first
    std::string pendingKey_;
    bool afterKey_ = false;
    bool started_ = false;
};

} // namespace lumi::cli
