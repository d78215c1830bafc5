#pragma once

#include "fringe/aperturecircle.h"

#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace CLI {
class App;
class Option;
} // namespace CLI

namespace lumi::cli {

// The options of one subcommand: name, value placeholder, help text and what
// to do with the value. Subcommands (and extensions of a subcommand) add rows;
// CLI11 splits the command line, and the --help text comes from the same rows.
class OptionTable {
public:
    // Called with the option's value; throws UsageError for a bad value.
    using ValueHandler = std::function<void(std::string_view value)>;
    using FlagHandler = std::function<void()>;

    OptionTable();
    ~OptionTable();
    OptionTable(const OptionTable&) = delete;
    OptionTable& operator=(const OptionTable&) = delete;

    // "--name VALUE" or "--name=VALUE". valueName is shown in the help ("NM").
    void addValue(std::string name, std::string valueName, std::string help, ValueHandler handler);
    // "--name" alone.
    void addFlag(std::string name, std::string help, FlagHandler handler);

    // Runs the handlers in command-line order and returns the positional
    // arguments; after "--" every argument is positional. Anything else starting
    // with "-" must be a known option, and a value given as the next argument
    // must not start with "--" (negative numbers are fine). Throws UsageError.
    std::vector<std::string> parse(std::span<const std::string> args);

    // One block per option, in the order added, indented for a --help page.
    std::string helpText() const;

    bool has(std::string_view name) const;

private:
    struct Row {
        CLI::Option* option; // owned by app_; holds the name, value name and help
        bool takesValue;
    };
    const Row* find(std::string_view name) const;
    void refuseUnknownOptionsSoFar() const;
    std::vector<std::string> checkedArguments(std::span<const std::string> args) const;

    std::unique_ptr<CLI::App> app_;
    std::vector<Row> rows_;
};

// Strict number of an option value: the whole text must be a finite number
// ("." decimal point). Throws UsageError naming the option.
double parseOptionNumber(std::string_view option, std::string_view text);

// parseOptionNumber() held to a data file's limits (common/valuelimits.h):
// a wavelength in nm (`what` names it, "the input wavelength") and waves per
// fringe. Throws UsageError naming the option.
double parseOptionWavelength(std::string_view option, std::string_view what, std::string_view text);
double parseOptionWavesPerFringe(std::string_view option, std::string_view text);

// Numbers separated by `separator`, each as parseOptionNumber() reads it; exactly
// `count` of them (0: any number, at least one). Throws UsageError naming the
// option and `form` ("CX,CY,R").
std::vector<double> parseOptionNumberList(std::string_view option, std::string_view text,
                                          char separator, std::size_t count, const char* form);

// A circle "CX,CY,R" in picture pixels, radius above 0. Throws UsageError.
ApertureCircle parseOptionCircle(std::string_view option, std::string_view text);

} // namespace lumi::cli
