#pragma once

#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace lumi::cli {

// The options of one subcommand: name, value placeholder, help text and what
// to do with the value. Subcommands (and extensions of a subcommand) add rows;
// parsing and the --help text come from the same table.
class OptionTable {
public:
    // Called with the option's value; throws UsageError for a bad value.
    using ValueHandler = std::function<void(std::string_view value)>;
    using FlagHandler = std::function<void()>;

    // "--name VALUE" or "--name=VALUE". valueName is shown in the help ("NM").
    void addValue(std::string name, std::string valueName, std::string help, ValueHandler handler);
    // "--name" alone.
    void addFlag(std::string name, std::string help, FlagHandler handler);

    // Runs the handlers in command-line order and returns the positional
    // arguments. Anything starting with "--" must be a known option; "-" followed
    // by a digit or "." is a value (negative numbers). Throws UsageError.
    std::vector<std::string> parse(std::span<const std::string> args) const;

    // One block per option, in the order added, indented for a --help page.
    std::string helpText() const;

    bool has(std::string_view name) const;

private:
    struct Row {
        std::string name;
        std::string valueName; // empty for a flag
        std::string help;
        ValueHandler onValue;
        FlagHandler onFlag;
    };
    const Row* find(std::string_view name) const;
    std::vector<Row> rows_;
};

// Strict number of an option value: the whole text must be a finite number
// ("." decimal point). Throws UsageError naming the option.
double parseOptionNumber(std::string_view option, std::string_view text);

} // namespace lumi::cli
