#pragma once

#include "report/render/graphicalreportpage.h"
#include "report/textreport.h"

class QPagedPaintDevice;

namespace lumi {

// The whole report on a paged device (nothing painted on it yet): the text
// report's pages in portrait, then, when `graphical` is given, the graphical
// report page on a landscape page of its own, fitted like a printed picture
// and painted directly (text stays text, plots stay sharp). Returns the number
// of pages. Throws AnalysisError (see textReportLines) and std::runtime_error
// when the device cannot be painted on.
int paintFullReport(QPagedPaintDevice& device, const TextReportInput& text,
                    const GraphicalReportContent* graphical);

} // namespace lumi
