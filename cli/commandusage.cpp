#include "cli/commandusage.h"

#include "analysis/analysiserror.h"
#include "cli/exitcodes.h"
#include "cli/usageerror.h"
#include "common/fileerror.h"
#include "common/outputfiles.h"

#include <exception>
#include <ostream>

namespace lumi::cli {

void CommandUsage::printUsageError(std::ostream& err, std::string_view problem) const {
    err << "lumivorexan-cli " << name << ": " << problem << "\n"
        << usage << "Run \"lumivorexan-cli " << name << " --help\" for details.\n";
}

int CommandUsage::failureStatus(std::ostream& err, std::string_view analysisPrefix,
                                const OutputFiles* written) const {
    try {
        throw;
    } catch (const FileError& e) {
        err << "lumivorexan-cli " << name << ": " << (written ? written->withWritten(e) : e).what()
            << "\n";
        return kExitBadInput;
    } catch (const UsageError& e) {
        printUsageError(err, e.what());
        return kExitBadInput;
    } catch (const AnalysisError& e) {
        err << "lumivorexan-cli " << name << ": " << analysisPrefix << e.what() << "\n";
        return kExitAnalysis;
    } catch (const std::exception& e) {
        err << "lumivorexan-cli " << name << ": " << e.what() << "\n";
        return kExitAnalysis;
    }
}

} // namespace lumi::cli
