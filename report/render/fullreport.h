#pragma once

#include "report/textreport.h"

#include <QImage>

class QPagedPaintDevice;

namespace lumi {

// The whole report on a paged device (nothing painted on it yet): the text
// report's pages in portrait, then the graphical report page on a page of its
// own, fitted and turned to landscape when it is wider than tall. Returns the
// number of pages. Throws AnalysisError (see textReportLines) and
// std::runtime_error when the device cannot be painted on.
int paintFullReport(QPagedPaintDevice& device, const TextReportInput& text,
                    const QImage& graphicalPage);

} // namespace lumi
