#include "host/placement.h"

#include <gtest/gtest.h>

namespace zarvik::qthost {
namespace {

struct PlacementCase {
    const char* name;
    QSize view;
    double devicePixelRatio;
    QRectF target;
    bool smooth;
};

void PrintTo(const PlacementCase& c, std::ostream* os) {
    *os << c.name;
}

class ImagePlacement : public testing::TestWithParam<PlacementCase> {};

// A 1280 x 800 window image in views of various sizes.
TEST_P(ImagePlacement, KeepsTheAspectAndIsSharpAtWholeMultiples) {
    const PlacementCase& c = GetParam();
    const Placement placement = placeImage(QSize(1280, 800), c.view, c.devicePixelRatio);
    EXPECT_EQ(placement.target, c.target);
    EXPECT_EQ(placement.smooth, c.smooth);
}

INSTANTIATE_TEST_SUITE_P(
    Views, ImagePlacement,
    testing::Values(PlacementCase{"ExactFit", {1280, 800}, 1.0, {0, 0, 1280, 800}, false},
                    PlacementCase{"HighDensityScreen", {1280, 800}, 2.0, {0, 0, 1280, 800}, false},
                    PlacementCase{"DoubledWindow", {2560, 1600}, 1.0, {0, 0, 2560, 1600}, false},
                    PlacementCase{"SlightlyLargerStaysSharp", {1300, 820}, 1.0, {10, 10, 1280, 800}, false},
                    PlacementCase{
                        "WiderWindowCentresSmoothly", {2000, 1000}, 1.0, {200, 0, 1600, 1000}, true},
                    PlacementCase{"SmallerWindowShrinksSmoothly", {640, 640}, 1.0, {0, 120, 640, 400}, true},
                    PlacementCase{"NoViewNoPlacement", {0, 0}, 1.0, {}, false}),
    [](const testing::TestParamInfo<PlacementCase>& info) { return std::string(info.param.name); });

TEST(ImagePlacement, ViewPointsMapBackToImagePixels) {
    const QSize image(1280, 800);
    const Placement doubled = placeImage(image, QSize(2600, 1600), 1.0);
    EXPECT_EQ(imagePointOf(doubled, image, QPointF(20, 0)), QPointF(0, 0));
    EXPECT_EQ(imagePointOf(doubled, image, QPointF(2580, 1600)), QPointF(1280, 800));
    EXPECT_LT(imagePointOf(doubled, image, QPointF(5, 10)).x(), 0);  // in the left margin
    const Placement exact = placeImage(image, image, 1.0);
    EXPECT_EQ(imagePointOf(exact, image, QPointF(17.5, 3)), QPointF(17.5, 3));
}

}  // namespace
}  // namespace zarvik::qthost
