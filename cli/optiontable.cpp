#include "cli/optiontable.h"

#include "cli/usageerror.h"
#include "common/numbertext.h"
#include "common/valuelimits.h"

#include <CLI/CLI.hpp>

#include <cassert>

namespace lumi::cli {

OptionTable::OptionTable() : app_(std::make_unique<CLI::App>()) {
    // Our own --help row prints the command's page; unknown options and
    // positionals are kept in order and sorted out after parsing.
    app_->set_help_flag();
    app_->allow_extras();
}

OptionTable::~OptionTable() = default;

void OptionTable::addValue(std::string name, std::string valueName, std::string help,
                           ValueHandler handler) {
    assert(!has(name) && !valueName.empty());
    // Each occurrence runs its handler as soon as CLI11 has read it, so the
    // first bad argument on the line is the one reported.
    CLI::Option* option = app_->add_option(
        name,
        [this, handler](const CLI::results_t& values) {
            refuseUnknownOptionsSoFar();
            handler(values.back());
            return true;
        },
        std::move(help));
    option->type_name(std::move(valueName))->trigger_on_parse();
    rows_.push_back({option, true});
}

void OptionTable::addFlag(std::string name, std::string help, FlagHandler handler) {
    assert(!has(name));
    CLI::Option* option = app_->add_flag_callback(
        name,
        [this, handler] {
            refuseUnknownOptionsSoFar();
            handler();
        },
        std::move(help));
    option->trigger_on_parse();
    rows_.push_back({option, false});
}

bool OptionTable::has(std::string_view name) const {
    return find(name) != nullptr;
}

const OptionTable::Row* OptionTable::find(std::string_view name) const {
    for (const auto& r : rows_)
        if (r.option->get_name() == name)
            return &r;
    return nullptr;
}

// CLI11 keeps unknown options and positionals in command-line order, with the
// first "--" among them.
void OptionTable::refuseUnknownOptionsSoFar() const {
    for (const std::string& extra : app_->remaining()) {
        if (extra == "--")
            return;
        if (extra.size() >= 2 && extra[0] == '-') {
            const bool isLong = extra[1] == '-';
            throw UsageError("unknown option \"" +
                             (isLong ? extra.substr(0, extra.find('=')) : extra) + "\"");
        }
    }
}

// CLI11 takes the argument after a value option whatever it looks like, reads
// "--flag=no" as switching the flag off and "--name=" as "--name" followed by
// the next argument. The program has always refused the first two (a
// forgotten value must not swallow the next option) and passed "" for the
// last, so they are settled here, in command-line order. Returns the
// arguments for CLI11, which pops them from the back.
std::vector<std::string> OptionTable::checkedArguments(std::span<const std::string> args) const {
    std::vector<std::string> checked;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        checked.push_back(arg);
        if (arg == "--") {
            checked.insert(checked.end(), args.begin() + static_cast<std::ptrdiff_t>(i) + 1,
                           args.end());
            break;
        }
        if (arg.size() < 3 || arg[0] != '-' || arg[1] != '-')
            continue;
        const std::size_t eq = arg.find('=');
        const std::string name = arg.substr(0, eq);
        const Row* row = find(name);
        if (row == nullptr)
            continue; // reported after parsing, in its turn among the other extras
        if (!row->takesValue) {
            if (eq != std::string::npos)
                throw UsageError(name + " takes no value");
            continue;
        }
        if (eq == arg.size() - 1) {
            checked.back() = name;
            checked.emplace_back();
            continue;
        }
        if (eq != std::string::npos)
            continue;
        const std::string valueName = row->option->get_type_name();
        if (i + 1 >= args.size())
            throw UsageError(name + " needs a value (" + valueName + ")");
        const std::string& value = args[++i];
        if (value.size() >= 2 && value[0] == '-' && value[1] == '-')
            throw UsageError(name + " needs a value (" + valueName + "), not \"" + value + "\"");
        checked.push_back(value);
    }
    return {checked.rbegin(), checked.rend()};
}

std::vector<std::string> OptionTable::parse(std::span<const std::string> args) {
    std::vector<std::string> reversed = checkedArguments(args);
    app_->clear();
    try {
        app_->parse(reversed);
    } catch (const CLI::ParseError& e) {
        throw UsageError(e.what());
    }

    refuseUnknownOptionsSoFar();
    std::vector<std::string> positional;
    bool afterMark = false;
    for (const std::string& extra : app_->remaining()) {
        if (extra == "--" && !afterMark)
            afterMark = true;
        else
            positional.push_back(extra);
    }
    return positional;
}

std::string OptionTable::helpText() const {
    std::string s;
    for (const auto& r : rows_) {
        s += "  " + r.option->get_name();
        if (r.takesValue)
            s += " " + r.option->get_type_name();
        s += "\n";
        // Help texts may hold several lines; indent each.
        const std::string& help = r.option->get_description();
        std::size_t start = 0;
        while (start <= help.size()) {
            const std::size_t end = help.find('\n', start);
            s += "      " +
                 help.substr(start, end == std::string::npos ? std::string::npos : end - start) +
                 "\n";
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

double parseOptionWavelength(std::string_view option, std::string_view what,
                             std::string_view text) {
    const double v = parseOptionNumber(option, text);
    if (auto problem = wavelengthProblem(what, v))
        throw UsageError(std::string(option) + ": " + *problem);
    return v;
}

double parseOptionWavesPerFringe(std::string_view option, std::string_view text) {
    const double w = parseOptionNumber(option, text);
    if (auto problem = wavesPerFringeProblem(w))
        throw UsageError(std::string(option) + ": " + *problem);
    return w;
}

std::vector<double> parseOptionNumberList(std::string_view option, std::string_view text,
                                          char separator, std::size_t count, const char* form) {
    std::vector<double> v;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find(separator, start);
        v.push_back(parseOptionNumber(option, text.substr(start, end == std::string_view::npos
                                                                     ? std::string_view::npos
                                                                     : end - start)));
        if (end == std::string_view::npos)
            break;
        start = end + 1;
    }
    if (count != 0 && v.size() != count)
        throw UsageError(std::string(option) + ": \"" + std::string(text) +
                         "\" is not of the form " + form);
    return v;
}

ApertureCircle parseOptionCircle(std::string_view option, std::string_view text) {
    const std::vector<double> v = parseOptionNumberList(option, text, ',', 3, "CX,CY,R");
    if (!(v[2] > 0.0))
        throw UsageError(std::string(option) + ": the radius must be above 0");
    return {v[0], v[1], v[2]};
}

} // namespace lumi::cli
