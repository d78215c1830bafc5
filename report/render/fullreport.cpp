#include "report/render/fullreport.h"

#include "report/render/pictureprinting.h"
#include "report/render/textreportpainter.h"

#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>

#include <stdexcept>

namespace lumi {

int paintFullReport(QPagedPaintDevice& device, const TextReportInput& text,
                    const QImage& graphicalPage) {
    device.setPageOrientation(QPageLayout::Portrait);
    QPainter painter;
    if (!painter.begin(&device)) {
        throw std::runtime_error("the document could not be started");
    }
    int pages = paintTextReport(painter, device, text);
    if (!graphicalPage.isNull()) {
        const FittedPicture fit = preparePicturePage(device, graphicalPage, PictureFit::FullPage);
        device.newPage();
        ++pages;
        drawFittedPicture(painter, graphicalPage, fit);
    }
    painter.end();
    return pages;
}

} // namespace lumi
