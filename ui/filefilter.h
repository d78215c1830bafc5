#pragma once

#include <QString>

namespace lumi {

// Translates the program's "label|pattern|label|pattern" filter form into Qt's
// "label (patterns);;label (patterns)". A pattern list "*.bmp;*.jpg" becomes
// "*.bmp *.jpg"; a label that already ends in "(...)" keeps its text when that
// part matches the pattern, e.g.
// "Fringe Files (*.frg)|*.frg|All Files (*.*)|*.*" -> "Fringe Files (*.frg);;All Files (*.*)".
// A trailing label without a pattern gets "*".
QString qtFileFilter(const QString& pipeFilter);

// The Qt form of entry `index` (1-based) of a pipe filter; the first entry when
// the index is out of range, empty for an empty filter.
QString qtFileFilterEntry(const QString& pipeFilter, int index);

} // namespace lumi
