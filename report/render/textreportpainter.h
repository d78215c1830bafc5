#pragma once

#include "report/textreport.h"

class QPagedPaintDevice;
class QPainter;

namespace lumi {

// Prints the text report on a paged device whose painter is active, starting
// at the top of the current page and adding pages as needed. A fixed-pitch
// font (10 points) makes one column one character; the title emphasis is bold,
// the heading emphasis underlined. Values too long for the page width continue
// on further lines. Returns the number of pages used. Throws AnalysisError like
// textReportLines.
int paintTextReport(QPainter& painter, QPagedPaintDevice& device, const TextReportInput& input);

} // namespace lumi
