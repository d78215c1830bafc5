#pragma once
// A small JSON reader for checking the command line's output in tests.

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace lumi::cli::test {

struct JsonValue {
    using Array = std::vector<JsonValue>;
    using Object = std::map<std::string, JsonValue>;
    std::variant<std::nullptr_t, bool, double, std::string, std::shared_ptr<Array>,
                 std::shared_ptr<Object>>
        v;

    bool isNumber() const { return std::holds_alternative<double>(v); }
    double number() const { return std::get<double>(v); }
    const std::string& string() const { return std::get<std::string>(v); }
    const Array& array() const { return *std::get<std::shared_ptr<Array>>(v); }
    const Object& object() const { return *std::get<std::shared_ptr<Object>>(v); }
    bool isObject() const { return std::holds_alternative<std::shared_ptr<Object>>(v); }
    const JsonValue& operator[](const std::string& key) const { return object().at(key); }
    std::vector<double> numbers() const;
};

// nullopt when the text is not exactly one JSON value (blanks around allowed).
std::optional<JsonValue> parseJson(std::string_view text);

} // namespace lumi::cli::test
