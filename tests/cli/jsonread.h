#pragma once
// The command line's JSON output read back in tests.

#include <nlohmann/json.hpp>

#include <string_view>

namespace lumi::cli::test {

using Json = nlohmann::json;

// The document, or a discarded value (is_discarded()) when the text is not
// exactly one JSON value. Read members with at(): a missing key throws.
inline Json parseJson(std::string_view text) {
    return Json::parse(text, nullptr, false);
}

} // namespace lumi::cli::test
