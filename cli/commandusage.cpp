#include "cli/commandusage.h"

#include <ostream>

namespace lumi::cli {

void CommandUsage::printUsageError(std::ostream& err, std::string_view problem) const {
    err << "lumivorexan-cli " << name << ": " << problem << "\n"
        << usage << "Run \"lumivorexan-cli " << name << " --help\" for details.\n";
}

} // namespace lumi::cli
