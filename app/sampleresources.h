#pragma once

namespace lumi {

// Registers the eight stored sample pictures (":/samples/sampleN.jpg|bmp");
// needed because they are linked from a static library. Safe to call often.
void initSampleResources();

} // namespace lumi
