#include "optics/render/wavefrontprofile.h"

#include "analysis/analysiserror.h"
#include "optics/render/plotgridcheck.h"
#include "optics/render/userscale.h"

#include <QPainter>

#include <string>

namespace lumi {
namespace {

void checkIndex(int index, int stripCount) {
    if (index < 0 || index >= WavefrontGrid::kStoreSize || stripCount < 1)
        throw AnalysisError(AnalysisError::Kind::InvalidGeometry,
                            "The profile cannot be drawn: line " + std::to_string(index) + " of " +
                                std::to_string(stripCount) + " is not on the grid.");
}

const QColor kBlue(0, 0, 255);
const QColor kWhite(255, 255, 255);

} // namespace

void paintColumnProfile(QPainter& painter, const QRect& strip, const WavefrontGrid& grid,
                        int column, int stripCount) {
    checkPlotGrid(grid);
    checkIndex(column, stripCount);
    const UserScale scale(strip, grid.peak, 0.0, grid.valley, stripCount);
    painter.save();
    painter.setClipRect(strip);
    painter.fillRect(strip, kWhite);
    for (int k = 0; k <= grid.gridCount; ++k) {
        const double v = grid.at(k, column);
        if (v != 0.0)
            painter.fillRect(scale.pixelBox(v, k, grid.valley, k + 1.0), kBlue);
        else
            painter.fillRect(scale.pixelBox(0.0, k, grid.valley, k + 1.0), kWhite);
    }
    painter.restore();
}

void paintRowProfile(QPainter& painter, const QRect& strip, const WavefrontGrid& grid, int row,
                     int stripCount) {
    checkPlotGrid(grid);
    checkIndex(row, stripCount);
    const UserScale scale(strip, 0.0, grid.peak, stripCount, grid.valley);
    painter.save();
    painter.setClipRect(strip);
    painter.fillRect(strip, kWhite);
    for (int k = 0; k <= grid.gridCount; ++k) {
        const double v = grid.at(row, k);
        if (v != 0.0)
            painter.fillRect(scale.pixelBox(k, v, k + 1.0, grid.valley), kBlue);
        else
            painter.fillRect(scale.pixelBox(k, 0.0, k + 1.0, grid.valley), kWhite);
    }
    painter.restore();
}

void paintProfileMarkers(QPainter& painter, const QRect& map, int gridCount, int column, int row) {
    const UserScale scale(map, 0.0, 0.0, gridCount + 1.0, gridCount + 1.0);
    painter.save();
    painter.setClipRect(map);
    // One device pixel wide in their exact colours, however the map is scaled on screen.
    const auto pen = [](QColor colour) {
        QPen p(colour, 1);
        p.setCosmetic(true);
        return p;
    };
    if (column >= 0) {
        painter.setPen(pen(QColor(255, 0, 0)));
        const double x = scale.toDeviceX(column);
        painter.drawLine(QPointF(x, map.top()), QPointF(x, map.bottom() + 1));
    }
    if (row >= 0) {
        painter.setPen(pen(QColor(0, 192, 0)));
        const double y = scale.toDeviceY(row);
        painter.drawLine(QPointF(map.left(), y), QPointF(map.right() + 1, y));
    }
    painter.restore();
}

} // namespace lumi
