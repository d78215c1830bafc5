#pragma once
// Shared set-up of the plot page tests: a measurement read from one of the example fringe
// files and analysed by APPLY, and pixel counters for the pages' pictures.

#include "app/workspacemodel.h"

#include <QColor>
#include <QImage>

#include <functional>
#include <memory>

namespace lumi::pagetest {

// examples/<file> read through the fringe data file reader into a fresh workspace, then
// APPLY with the file's wavelengths. With `aspheric` the analysis is aspheric for a
// 150 mm paraboloid of 1200 mm radius (target conic -1). Fails the test on an error.
std::unique_ptr<WorkspaceModel> analysedExample(const char* file, bool aspheric = false);

// Number of pixels of `image` for which `pred` holds.
int countPixels(const QImage& image, const std::function<bool(QRgb)>& pred);
int countColour(const QImage& image, QColor colour);
// Pixels that are not white.
int countNonWhite(const QImage& image);

} // namespace lumi::pagetest
