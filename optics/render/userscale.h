#pragma once

#include <QPointF>
#include <QRect>
#include <QRectF>

namespace lumi {

// A user coordinate system on a device rectangle, given like a drawing surface's scale by two
// corners: (left, top) lands on the rectangle's top-left corner and (right, bottom) on its
// bottom-right. Either axis may run either way (bottom < top makes y grow upwards).
// device x = rect.left + (x - left) / (right - left) * rect.width, likewise for y.
class UserScale {
public:
    // Throws AnalysisError (NonFinite) when a corner is not finite or an axis has no extent.
    UserScale(const QRectF& device, double left, double top, double right, double bottom);

    double toDeviceX(double x) const { return device_.left() + (x - left_) * pxPerUnitX_; }
    double toDeviceY(double y) const { return device_.top() + (y - top_) * pxPerUnitY_; }
    QPointF toDevice(double x, double y) const { return {toDeviceX(x), toDeviceY(y)}; }

    // The inverse: the user coordinates of a device point (e.g. the mouse position).
    double toUserX(double px) const { return left_ + (px - device_.left()) / pxPerUnitX_; }
    double toUserY(double py) const { return top_ + (py - device_.top()) / pxPerUnitY_; }
    QPointF toUser(QPointF device) const { return {toUserX(device.x()), toUserY(device.y())}; }

    // The box between two user corners in device pixels, edges rounded to whole pixels so that
    // neighbouring boxes tile without gaps or overlaps (a box may be empty when it is thinner
    // than a pixel).
    QRect pixelBox(double x1, double y1, double x2, double y2) const;

    // Device pixels per user unit along each axis (negative when the axis runs backwards).
    double pxPerUnitX() const { return pxPerUnitX_; }
    double pxPerUnitY() const { return pxPerUnitY_; }
    const QRectF& device() const { return device_; }

private:
    QRectF device_;
    double left_, top_;
    double pxPerUnitX_, pxPerUnitY_;
};

} // namespace lumi
