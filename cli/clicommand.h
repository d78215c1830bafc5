#pragma once

#include <iosfwd>
#include <span>
#include <string>
#include <string_view>

namespace lumi::cli {

// One subcommand of lumivorexan-cli. run() gets the arguments after the
// subcommand's name and returns the exit status (see exitcodes.h); it writes
// results to `out` and problems to `err` and never throws.
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
