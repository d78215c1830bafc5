#include "app/sampleresources.h"

#include <QtGlobal>

#ifdef LUMI_HAVE_SAMPLES
// Q_INIT_RESOURCE must be used outside any namespace.
static void registerSamples() {
    Q_INIT_RESOURCE(samples);
}
#endif

namespace lumi {

void initSampleResources() {
#ifdef LUMI_HAVE_SAMPLES
    static const bool done = [] {
        registerSamples();
        return true;
    }();
    (void)done;
#endif
}

} // namespace lumi
