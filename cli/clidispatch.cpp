#include "cli/clicommand.h"
#include "cli/exitcodes.h"

#include <algorithm>
#include <ostream>

namespace lumi::cli {
namespace {

void printTopHelp(std::ostream& out) {
    out << "Usage: lumivorexan-cli COMMAND [OPTIONS]\n"
           "\n"
           "Interferogram analysis from fringe data files (.frg) on the command line.\n"
           "\n"
           "Commands:\n";
    for (const auto& c : cliCommands()) {
        std::string name(c.name);
        name.resize(std::max<std::size_t>(name.size(), 10), ' ');
        out << "  " << name << "  " << c.summary << "\n";
    }
    out << "\n"
           "Run \"lumivorexan-cli COMMAND --help\" for the options of a command,\n"
           "\"lumivorexan-cli --version\" for the version.\n"
           "Exit status: 0 success, 2 bad command line or unreadable file, 3 analysis failed.\n";
}

} // namespace

int runCli(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
    if (args.empty()) {
        err << "lumivorexan-cli: a command is needed\n"
               "Usage: lumivorexan-cli COMMAND [OPTIONS]  (try \"lumivorexan-cli --help\")\n";
        return kExitBadInput;
    }
    const std::string& first = args.front();
    if (first == "--help" || first == "-h" || first == "help") {
        printTopHelp(out);
        return kExitOk;
    }
    if (first == "--version") {
        out << "lumivorexan-cli " << LUMI_VERSION_TEXT << "\n";
        return kExitOk;
    }
    for (const auto& c : cliCommands())
        if (c.name == first)
            return c.run(args.subspan(1), out, err);
    err << "lumivorexan-cli: unknown command \"" << first << "\"\n"
        << "Usage: lumivorexan-cli COMMAND [OPTIONS]  (try \"lumivorexan-cli --help\")\n";
    return kExitBadInput;
}

} // namespace lumi::cli
