#include "host/placement.h"

#include <algorithm>
#include <cmath>

namespace zarvik::qthost {
namespace {

constexpr double kSharpTolerance = 1.05;

}  // namespace

Placement placeImage(QSize image, QSize view, double devicePixelRatio) {
    if (image.isEmpty() || view.isEmpty() || devicePixelRatio <= 0) {
        return {};
    }
    const double deviceWidth = view.width() * devicePixelRatio;
    const double deviceHeight = view.height() * devicePixelRatio;
    double scale = std::min(deviceWidth / image.width(), deviceHeight / image.height());
    // Up to 5 % above a whole multiple counts as that multiple: a window a few pixels larger than
    // an exact fit should stay sharp rather than blur the whole picture.
    const double whole = std::floor(scale);
    const bool sharp = whole >= 1 && scale < whole * kSharpTolerance;
    if (sharp) {
        scale = whole;
    }
    const double width = image.width() * scale / devicePixelRatio;
    const double height = image.height() * scale / devicePixelRatio;
    // Whole device pixels for the origin, so that a sharp image is not resampled by half a pixel.
    const double x = std::floor((deviceWidth - image.width() * scale) / 2) / devicePixelRatio;
    const double y = std::floor((deviceHeight - image.height() * scale) / 2) / devicePixelRatio;
    return Placement{QRectF(x, y, width, height), !sharp};
}

QPointF imagePointOf(const Placement& placement, QSize image, QPointF viewPoint) {
    if (placement.target.isEmpty()) {
        return viewPoint;
    }
    return QPointF((viewPoint.x() - placement.target.x()) * image.width() / placement.target.width(),
                   (viewPoint.y() - placement.target.y()) * image.height() / placement.target.height());
}

}  // namespace zarvik::qthost
