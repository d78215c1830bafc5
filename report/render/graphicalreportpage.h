#pragma once

#include "fringe/fringestore.h"
#include "optics/graphicalreportplots.h"
#include "optics/render/psfplotoptions.h"
#include "report/graphicalreportsummary.h"

#include <QImage>
#include <QRect>

#include <string>
#include <vector>

class QPainter;

namespace lumi {

// Everything on the graphical report's page.
struct GraphicalReportContent {
    std::string title;    // file name or measurement name in the heading
    std::string subtitle; // e.g. date and operator; may be empty
    QImage interferogram; // the clean picture (no marks); null when none
    std::string interferogramCaption = "Interferogram";
    GraphicalReportPlots plots; // missing plots leave their boxes empty
    int relief = 4;             // the main window's "Relief", 1..10
    // The PSF surface's choices of the main window; the map is always false colour.
    PsfPlotOptions psfSurface;
    std::vector<CaptionedText> summary;
};

// The page's own size in pixels (landscape); the window shows it and prints it.
inline constexpr QSize kGraphicalReportPageSize{1800, 1240};

// Paints the page into `page`: a heading, the interferogram and the summary on
// the left, then the wavefront surface with its colour scale, the PSF map, the
// PSF surface, the MTF and the synthetic interferogram, each with a caption.
// A plot that cannot be drawn (AnalysisError from its painter) leaves its box
// with a short note instead.
void paintGraphicalReportPage(QPainter& painter, const QRect& page,
                              const GraphicalReportContent& content);

// Where no picture of the interferogram is at hand (the command line): the
// aperture and obstruction circles and the fringe points on white, each
// fringe in its own colour, about 800 pixels across. Null without an aperture.
QImage fringePointsPicture(const FringeStore& store);

// The page as a picture of kGraphicalReportPageSize on white.
QImage graphicalReportImage(const GraphicalReportContent& content);

} // namespace lumi
