#pragma once

#include "report/printlayout.h"

#include <QImage>

class QPagedPaintDevice;
class QPainter;

namespace lumi {

// How a captured picture is put on the page.
enum class PictureFit {
    FullPage,     // fitted, landscape for a picture wider than tall
    PortraitPage, // fitted on a portrait page
};

// Sets the device's orientation for a picture of `pictureSize` pixels and
// returns where it goes, in device pixels of that orientation's printable area.
// Call before the painter begins (or before newPage() for a later page). Throws
// AnalysisError for a picture or printable area without extent.
FittedPicture preparePicturePage(QPagedPaintDevice& device, QSize pictureSize, PictureFit fit);

// Draws the picture at the printable area's top-left corner with the fitted size.
void drawFittedPicture(QPainter& painter, const QImage& picture, const FittedPicture& fit);

// A whole document of one picture page on a device with nothing painted yet:
// prepares the page, paints the picture and ends the document. Throws
// AnalysisError for a picture without extent and std::runtime_error when the
// device does not start painting.
void printPictureDocument(QPagedPaintDevice& device, const QImage& picture, PictureFit fit);

} // namespace lumi
