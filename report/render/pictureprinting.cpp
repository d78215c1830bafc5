#include "report/render/pictureprinting.h"

#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>

#include <stdexcept>

namespace lumi {

FittedPicture preparePicturePage(QPagedPaintDevice& device, QSize pictureSize, PictureFit fit) {
    QPageLayout portrait = device.pageLayout();
    portrait.setOrientation(QPageLayout::Portrait);
    const QRect printable = portrait.paintRectPixels(device.logicalDpiX());
    const PageExtent picture{static_cast<double>(pictureSize.width()),
                             static_cast<double>(pictureSize.height())};
    const PageExtent area{static_cast<double>(printable.width()),
                          static_cast<double>(printable.height())};
    const FittedPicture placed = fit == PictureFit::FullPage
                                     ? fitPictureToPage(picture, area)
                                     : fitPictureToPortraitPage(picture, area);
    device.setPageOrientation(placed.orientation == PageOrientation::Landscape
                                  ? QPageLayout::Landscape
                                  : QPageLayout::Portrait);
    return placed;
}

void drawFittedPicture(QPainter& painter, const QImage& picture, const FittedPicture& fit) {
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    painter.drawImage(QRectF(0.0, 0.0, fit.drawn.width, fit.drawn.height), picture);
}

void printPictureDocument(QPagedPaintDevice& device, const QImage& picture, PictureFit fit) {
    const FittedPicture placed = preparePicturePage(device, picture.size(), fit);
    QPainter painter;
    if (!painter.begin(&device)) {
        throw std::runtime_error("the document could not be started");
    }
    drawFittedPicture(painter, picture, placed);
    painter.end();
}

} // namespace lumi
