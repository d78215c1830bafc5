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

// The extension a save dialog adds when the user types a name without one:
// the first pattern of a Qt filter entry when it is a plain "*.ext", e.g.
// "Fringe Files (*.frg)" -> "frg"; empty for "*", "*.*" and wildcard patterns.
QString qtFilterDefaultSuffix(const QString& qtEntry);

// `path` with ".suffix" appended when its file name has no extension of its
// own (a leading dot does not count); unchanged for an empty suffix.
QString withDefaultSuffix(const QString& path, const QString& suffix);

} // namespace lumi
