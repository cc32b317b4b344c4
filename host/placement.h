#pragma once
// Where a console window's image lands inside its view: as large as the view allows with the aspect
// ratio kept, centred, sharp when the scale in device pixels is a whole multiple and smooth otherwise.
#include <QPointF>
#include <QRectF>
#include <QSize>

namespace zarvik::qthost {

struct Placement {
    QRectF target;        // in the view's logical coordinates
    bool smooth = false;  // smooth filtering; nearest neighbour at whole multiples

    bool operator==(const Placement&) const = default;
};

// Placement of an image of `image` pixels in a view of `view` logical pixels at `devicePixelRatio`.
Placement placeImage(QSize image, QSize view, double devicePixelRatio);

// The image pixel under a point of the view (outside the image for points in the margin).
QPointF imagePointOf(const Placement& placement, QSize image, QPointF viewPoint);

}  // namespace zarvik::qthost
