#include "analysis/syntheticoptions.h"

#include "analysis/termremoval.h"

namespace lumi {

bool SyntheticOptions::termIsRemoved(int term) const {
    RemovalGroup group{};
    return removalGroupOf(term, group) && isRemoved(group);
}

} // namespace lumi
