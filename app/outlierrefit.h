#pragma once

namespace lumi {

class MainWindow;

// "Fit without flagged points" on the "Aberration" page: refits the last APPLY
// without the points its fit flagged as outliers, again until nothing more is
// flagged, and shows the refit like APPLY does, with the points left out named
// first among the warnings. The store (and any file saved from it) keeps every
// point. A refit that fails says why in the status bar and changes nothing.
void fitWithoutFlaggedPoints(MainWindow& window);

} // namespace lumi
