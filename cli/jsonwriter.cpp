#include "cli/jsonwriter.h"

#include "common/numbertext.h"

#include <cassert>
#include <cmath>

namespace lumi::cli {
namespace {

using Json = nlohmann::ordered_json;

std::string quoted(const std::string& text) {
    return Json(text).dump(-1, ' ', false, Json::error_handler_t::replace);
}

// Json::dump would print doubles in its own form ("1.0", "1e-05"); the
// program's files and texts use the shortest round-trip form ("1", "1e-05").
void print(const Json& v, std::size_t indent, std::string& out) {
    const auto newline = [&out](std::size_t spaces) {
        out += '\n';
        out.append(spaces, ' ');
    };
    switch (v.type()) {
    case Json::value_t::object:
    case Json::value_t::array: {
        const bool isObject = v.is_object();
        out += isObject ? '{' : '[';
        bool first = true;
        for (auto it = v.begin(); it != v.end(); ++it) {
            if (!first)
                out += ',';
            first = false;
            newline(indent + 2);
            if (isObject) {
                out += quoted(it.key());
                out += ": ";
            }
            print(*it, indent + 2, out);
        }
        if (!first)
            newline(indent);
        out += isObject ? '}' : ']';
        break;
    }
    case Json::value_t::number_float: out += formatShortest(v.get<double>()); break;
    case Json::value_t::string: out += quoted(v.get_ref<const std::string&>()); break;
    default: out += v.dump(); // null, true, false, integers
    }
}

} // namespace

Json& JsonWriter::place(Json v) {
    if (open_.empty()) {
        assert(!started_ && "one document only");
        started_ = true;
        root_ = std::move(v);
        return root_;
    }
    Json& container = *open_.back();
    if (container.is_object()) {
        assert(afterKey_ && "object members need a key");
        afterKey_ = false;
        Json& slot = container[pendingKey_];
        slot = std::move(v);
        return slot;
    }
    container.push_back(std::move(v));
    return container.back();
}

void JsonWriter::key(std::string_view name) {
    assert(!open_.empty() && open_.back()->is_object() && !afterKey_);
    pendingKey_ = std::string(name);
    afterKey_ = true;
}

void JsonWriter::beginObject() {
    open_.push_back(&place(Json::object()));
}

void JsonWriter::beginArray() {
    open_.push_back(&place(Json::array()));
}

void JsonWriter::endObject() {
    assert(!open_.empty() && open_.back()->is_object() && !afterKey_);
    open_.pop_back();
}

void JsonWriter::endArray() {
    assert(!open_.empty() && open_.back()->is_array());
    open_.pop_back();
}

void JsonWriter::value(double v) {
    if (std::isfinite(v))
        place(Json(v));
    else
        null();
}

void JsonWriter::value(int v) {
    place(Json(v));
}

void JsonWriter::value(bool v) {
    place(Json(v));
}

void JsonWriter::value(std::string_view text) {
    place(Json(std::string(text)));
}

void JsonWriter::null() {
    place(Json(nullptr));
}

std::string JsonWriter::text() const {
    std::string out;
    if (!started_)
        return out;
    print(root_, 0, out);
    if (open_.empty())
        out += '\n';
    return out;
}

} // namespace lumi::cli
