// SPDX-License-Identifier: MIT
#include "support/display_list.h"

#include <gtest/gtest.h>

namespace zorbal::platform {
namespace {

TEST(DrawingSurface, DrawsEveryPointWhereAndInTheStyleItWasDrawn) {
    DrawingSurface s;
    s.setForeColor(kRed);
    s.setDrawWidth(2);
    for (int i = 0; i < 130000; ++i)
        s.point(i * 0.001, 1.0);
    // Speed, horizontal and vertical velocity interleaved point by point.
    const Color cycle[] = {kMagenta, kRed, kBlue};
    for (int i = 0; i < 300; ++i) {
        s.setForeColor(cycle[i % 3]);
        s.point(i, 2.0);
    }
    s.setDrawWidth(3);
    s.point(5, 5);

    const auto points = test::styledPoints(s);
    ASSERT_EQ(points.size(), 130301u);
    for (std::size_t i = 0; i < 130000; ++i) {
        ASSERT_EQ(points[i].style, (PointStyle{kRed, 2})) << i;
        ASSERT_EQ(points[i].at.x, static_cast<float>(static_cast<double>(i) * 0.001)) << i;
        ASSERT_EQ(points[i].at.y, 1.0f) << i;
    }
    for (std::size_t k = 0; k < 300; ++k) {
        const auto& p = points[130000 + k];
        ASSERT_EQ(p.style, (PointStyle{cycle[k % 3], 2})) << k;
        ASSERT_EQ(p.at.x, static_cast<float>(k)) << k;
        ASSERT_EQ(p.at.y, 2.0f) << k;
    }
    EXPECT_EQ(points.back().style, (PointStyle{kBlue, 3}));
    EXPECT_EQ(points.back().at.x, 5.0f);
}

TEST(DrawingSurface, BackColourErasesAndScaleIsRecordedWhereItChanges) {
    DrawingSurface s;
    s.scale(-10, 30, 100, -3);
    s.point(1, 1);
    s.scale(0, 35, 5, -35);
    s.scale(0, 10, 5, -10); // nothing drawn in between: replaces the one before
    s.point(1, 1);
    const auto& list = s.primitives();
    ASSERT_EQ(list.size(), 4u);
    EXPECT_FLOAT_EQ(list[0].y2, -3);
    EXPECT_EQ(list[2].kind, PrimitiveKind::Scale);
    EXPECT_FLOAT_EQ(list[2].y1, 10);
    EXPECT_EQ(list[3].kind, PrimitiveKind::PointRun); // not merged across the new scale

    const auto before = s.revision();
    s.setBackColor(s.backColor());
    EXPECT_GT(s.revision(), before);
    EXPECT_TRUE(s.primitives().empty());
    EXPECT_EQ(s.pointCount(), 0u);
    s.line(0, 0, 1, 1);
    EXPECT_EQ(s.primitives().front().kind, PrimitiveKind::Scale);
}

TEST(DrawingSurface, TakesSinglePrecisionAndExplicitColoursLeaveTheDrawingColour) {
    DrawingSurface s;
    s.setForeColor(kCyan);
    s.setFillColor(kGreen);
    s.line(0.1, 1e-50, 1.0 / 3.0, 2, kBlue);
    s.filledBox(0, 0, 1, 1);
    EXPECT_EQ(s.foreColor(), kCyan);
    const auto& line = s.primitives()[1];
    EXPECT_EQ(line.x1, 0.1f);
    EXPECT_EQ(line.y1, 0.0f);
    EXPECT_EQ(line.x2, static_cast<float>(1.0 / 3.0));
    EXPECT_EQ(line.color, kBlue);
    EXPECT_EQ(s.primitives()[2].fill, kGreen);
}

TEST(PixelMapping, MapsTheUserRectangleOntoThePictureBothWays) {
    const auto m = PixelMapping::of(UserScale{-10, 30, 100, -3}, 705, 369);
    EXPECT_DOUBLE_EQ(m.toPixelX(-10), 0);
    EXPECT_DOUBLE_EQ(m.toPixelX(100), 705);
    EXPECT_NEAR(m.toPixelY(-3), 369, 1e-9);
    EXPECT_NEAR(m.toUserY(m.toPixelY(7)), 7, 1e-9);
    EXPECT_NEAR(m.lengthToPixels(1), 705.0 / 110, 1e-12);
    EXPECT_EQ(PixelMapping::of(UserScale{1, 1, 1, 1}, 100, 100).toUserX(5), 1); // no division by zero
}

} // namespace
} // namespace zorbal::platform
