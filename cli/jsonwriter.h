#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace lumi::cli {

// Writes one JSON document, pretty-printed with two-space indents. Numbers use
// the shortest text that reads back to the same double, "." as the decimal
// point whatever the locale; a non-finite number is written as null.
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

    // The document so far, with a final line end once the outer container closed.
    const std::string& text() const { return out_; }

    static std::string escaped(std::string_view text);

private:
    void beforeValue();
    void newline();

    struct Level {
        bool isObject;
        bool empty = true;
    };
    std::string out_;
    std::vector<Level> stack_;
    bool afterKey_ = false;
};

} // namespace lumi::cli
