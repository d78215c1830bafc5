#include "report/render/fullreport.h"

#include "report/render/pictureprinting.h"
#include "report/render/textreportpainter.h"

#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>

#include <stdexcept>

namespace lumi {

int paintFullReport(QPagedPaintDevice& device, const TextReportInput& text,
                    const GraphicalReportContent* graphical) {
    device.setPageOrientation(QPageLayout::Portrait);
    QPainter painter;
    if (!painter.begin(&device)) {
        throw std::runtime_error("the document could not be started");
    }
    int pages = paintTextReport(painter, device, text);
    if (graphical != nullptr) {
        const QSize size = kGraphicalReportPageSize;
        const FittedPicture fit = preparePicturePage(device, size, PictureFit::FullPage);
        device.newPage();
        ++pages;
        painter.save();
        painter.scale(fit.drawn.width / size.width(), fit.drawn.height / size.height());
        paintGraphicalReportPage(painter, QRect(QPoint(0, 0), size), *graphical);
        painter.restore();
    }
    painter.end();
    return pages;
}

} // namespace lumi
