#include "cli/optiontable.h"

#include "cli/usageerror.h"
#include "common/numbertext.h"

#include <cassert>

namespace lumi::cli {

void OptionTable::addValue(std::string name, std::string valueName, std::string help,
                           ValueHandler handler) {
    assert(!has(name) && !valueName.empty());
    rows_.push_back(
        {std::move(name), std::move(valueName), std::move(help), std::move(handler), nullptr});
}

void OptionTable::addFlag(std::string name, std::string help, FlagHandler handler) {
    assert(!has(name));
    rows_.push_back({std::move(name), {}, std::move(help), nullptr, std::move(handler)});
}

bool OptionTable::has(std::string_view name) const {
    return find(name) != nullptr;
}

const OptionTable::Row* OptionTable::find(std::string_view name) const {
    for (const auto& r : rows_)
        if (r.name == name)
            return &r;
    return nullptr;
}

std::vector<std::string> OptionTable::parse(std::span<const std::string> args) const {
    std::vector<std::string> positional;
    bool onlyPositional = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (onlyPositional || arg.size() < 2 || arg[0] != '-') {
            positional.push_back(arg);
            continue;
        }
        if (arg == "--") {
            onlyPositional = true;
            continue;
        }
        if (arg[1] != '-')
            throw UsageError("unknown option \"" + arg + "\"");
        const std::size_t eq = arg.find('=');
        const std::string name = arg.substr(0, eq);
        const Row* row = find(name);
        if (row == nullptr)
            throw UsageError("unknown option \"" + name + "\"");
        if (row->valueName.empty()) {
            if (eq != std::string::npos)
                throw UsageError(name + " takes no value");
            row->onFlag();
            continue;
        }
        std::string value;
        if (eq != std::string::npos) {
            value = arg.substr(eq + 1);
        } else {
            if (i + 1 >= args.size())
                throw UsageError(name + " needs a value (" + row->valueName + ")");
            value = args[++i];
            if (value.size() >= 2 && value[0] == '-' && value[1] == '-')
                throw UsageError(name + " needs a value (" + row->valueName + "), not \"" + value +
                                 "\"");
        }
        row->onValue(value);
    }
    return positional;
}

std::string OptionTable::helpText() const {
    std::string s;
    for (const auto& r : rows_) {
        s += "  " + r.name;
        if (!r.valueName.empty())
            s += " " + r.valueName;
        s += "\n";
        // Help texts may hold several lines; indent each.
        std::size_t start = 0;
        while (start <= r.help.size()) {
            const std::size_t end = r.help.find('\n', start);
            const std::string line =
                r.help.substr(start, end == std::string::npos ? std::string::npos : end - start);
            s += "      " + line + "\n";
            if (end == std::string::npos)
                break;
            start = end + 1;
        }
    }
    return s;
}

double parseOptionNumber(std::string_view option, std::string_view text) {
    const auto v = parseStrict(text);
    if (!v)
        throw UsageError(std::string(option) + ": \"" + std::string(text) +
                         "\" is not a number (use \".\" as the decimal point)");
    return *v;
}

} // namespace lumi::cli
