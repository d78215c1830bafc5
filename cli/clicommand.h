#pragma once

#include <iosfwd>
#include <span>
#include <string>
#include <string_view>

namespace lumi::cli {

// One subcommand of lumivorexan-cli. run() gets the arguments after the
// subcommand's name and returns the exit status (see exitcodes.h); it writes
// results to `out` and problems to `err` and never throws.
//
// A new command parses its options with an OptionTable (optiontable.h, CLI11
// underneath): addValue/addFlag one row per option, each with its help text and
// a handler that stores the typed value in the command's request (or throws
// UsageError), then parse(args) runs the handlers in command-line order and
// returns the positional arguments; helpText() gives the --help block. Catch
// UsageError in run() and print it with CommandUsage::printUsageError()
// (commandusage.h: "lumivorexan-cli NAME: <what>" and the usage), then return
// kExitBadInput; CommandUsage::failureStatus() turns the other exceptions into
// their message and status. Register the command with one line in commandlist.cpp.
struct CliCommand {
    std::string_view name;
    std::string_view summary; // one line for the top-level --help
    int (*run)(std::span<const std::string> args, std::ostream& out, std::ostream& err);
};

// Every subcommand, in --help order (commandlist.cpp: one line each).
std::span<const CliCommand> cliCommands();

// The whole program: args without the program name.
int runCli(std::span<const std::string> args, std::ostream& out, std::ostream& err);

} // namespace lumi::cli
