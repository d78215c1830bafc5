#include "minijson.h"

#include "common/numbertext.h"

namespace lumi::cli::test {
namespace {

class Parser {
public:
    explicit Parser(std::string_view t) : t_(t) {}

    std::optional<JsonValue> document() {
        auto v = value();
        skip();
        if (!v || i_ != t_.size())
            return std::nullopt;
        return v;
    }

private:
    void skip() {
        while (i_ < t_.size() &&
               (t_[i_] == ' ' || t_[i_] == '\n' || t_[i_] == '\r' || t_[i_] == '\t'))
            ++i_;
    }
    bool eat(char c) {
        skip();
        if (i_ < t_.size() && t_[i_] == c) {
            ++i_;
            return true;
        }
        return false;
    }
    bool word(std::string_view w) {
        if (t_.substr(i_, w.size()) != w)
            return false;
        i_ += w.size();
        return true;
    }

    std::optional<std::string> str() {
        if (!eat('"'))
            return std::nullopt;
        std::string s;
        while (i_ < t_.size() && t_[i_] != '"') {
            char c = t_[i_++];
            if (c == '\\') {
                if (i_ >= t_.size())
                    return std::nullopt;
                const char e = t_[i_++];
                switch (e) {
                case 'n': c = '\n'; break;
                case 'r': c = '\r'; break;
                case 't': c = '\t'; break;
                case 'u':
                    if (i_ + 4 > t_.size())
                        return std::nullopt;
                    {
                        int code = 0;
                        for (int k = 0; k < 4; ++k) {
                            const char h = t_[i_++];
                            const auto digit = std::string_view("0123456789abcdef")
                                                   .find(static_cast<char>(h | 0x20));
                            if (digit == std::string_view::npos)
                                return std::nullopt;
                            code = code * 16 + static_cast<int>(digit);
                        }
                        c = static_cast<char>(code);
                    }
                    break;
                default: c = e;
                }
            }
            s += c;
        }
        if (!eat('"'))
            return std::nullopt;
        return s;
    }

    std::optional<JsonValue> value() {
        skip();
        if (i_ >= t_.size())
            return std::nullopt;
        const char c = t_[i_];
        if (c == '{') {
            ++i_;
            auto obj = std::make_shared<JsonValue::Object>();
            if (!eat('}')) {
                do {
                    auto k = str();
                    if (!k || !eat(':'))
                        return std::nullopt;
                    auto v = value();
                    if (!v || obj->count(*k))
                        return std::nullopt;
                    (*obj)[*k] = *v;
                } while (eat(','));
                if (!eat('}'))
                    return std::nullopt;
            }
            return JsonValue{obj};
        }
        if (c == '[') {
            ++i_;
            auto arr = std::make_shared<JsonValue::Array>();
            if (!eat(']')) {
                do {
                    auto v = value();
                    if (!v)
                        return std::nullopt;
                    arr->push_back(*v);
                } while (eat(','));
                if (!eat(']'))
                    return std::nullopt;
            }
            return JsonValue{arr};
        }
        if (c == '"') {
            auto s = str();
            if (!s)
                return std::nullopt;
            return JsonValue{*s};
        }
        if (word("true"))
            return JsonValue{true};
        if (word("false"))
            return JsonValue{false};
        if (word("null"))
            return JsonValue{nullptr};
        std::size_t j = i_;
        while (j < t_.size() &&
               std::string_view("+-.0123456789eE").find(t_[j]) != std::string_view::npos)
            ++j;
        const auto n = parseStrict(t_.substr(i_, j - i_));
        if (j == i_ || !n)
            return std::nullopt;
        i_ = j;
        return JsonValue{*n};
    }

    std::string_view t_;
    std::size_t i_ = 0;
};

} // namespace

std::vector<double> JsonValue::numbers() const {
    std::vector<double> out;
    for (const auto& e : array())
        out.push_back(e.number());
    return out;
}

std::optional<JsonValue> parseJson(std::string_view text) {
    return Parser(text).document();
}

} // namespace lumi::cli::test
