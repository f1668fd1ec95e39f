// SPDX-License-Identifier: MIT
#include "display_list.h"

#include "platform/drawing_surface.h"

#include <gtest/gtest.h>

namespace zorbal::platform {
namespace {

using test::styledPoints;

TEST(DrawingSurface, KeepsAFlightOfPointsInOneEntryPerStyle) {
    DrawingSurface s;
    s.setForeColor(kRed);
    s.setDrawWidth(2);
    for (int i = 0; i < 130000; ++i)
        s.point(i * 0.001, 1.0);
    s.setForeColor(kMagenta);
    for (int i = 0; i < 10; ++i)
        s.point(i, 2.0);
    s.setDrawWidth(3);
    s.point(5, 5);

    ASSERT_EQ(s.primitives().size(), 4u); // scale, red run, magenta run, thick magenta run
    EXPECT_EQ(s.primitives()[0].kind, PrimitiveKind::Scale);
    const Primitive& red = s.primitives()[1];
    EXPECT_EQ(red.kind, PrimitiveKind::PointRun);
    EXPECT_EQ(red.count, 130000u);
    EXPECT_EQ(red.period, 1);
    EXPECT_EQ(red.color, kRed);
    EXPECT_EQ(red.width, 2);
    EXPECT_EQ(s.primitives()[2].count, 10u);
    EXPECT_EQ(s.primitives()[3].width, 3);
    EXPECT_EQ(s.pointCount(), 130011u);
    EXPECT_FLOAT_EQ(s.points(red)[1000].x, 1.0f);
}

TEST(DrawingSurface, InterleavedColoursShareOneRunInDrawingOrder) {
    DrawingSurface s;
    const Color cycle[] = {kMagenta, kRed, kBlue};
    for (int i = 0; i < 1000; ++i)
        for (Color c : cycle) {
            s.setForeColor(c);
            s.point(i, static_cast<double>(c));
        }
    ASSERT_EQ(s.primitives().size(), 2u);
    EXPECT_EQ(s.primitives()[1].period, 3);
    const auto points = styledPoints(s);
    ASSERT_EQ(points.size(), 3000u);
    for (std::size_t i = 0; i < points.size(); ++i)
        ASSERT_EQ(points[i].style.color, cycle[i % 3]) << i;

    // A break in the cycle starts a new run and keeps the order.
    s.setForeColor(kRed);
    s.point(0, 0);
    s.point(0, 0);
    ASSERT_EQ(s.primitives().size(), 3u);
    EXPECT_EQ(s.primitives()[2].count, 2u);
    EXPECT_EQ(styledPoints(s)[3000].style.color, kRed);
}

TEST(DrawingSurface, BackColourErasesAndScaleIsRecordedWhereItChanges) {
    DrawingSurface s;
    s.scale(-10, 30, 100, -3);
    s.line(0, 0, 1, 1);
    s.point(1, 1);
    s.scale(0, 35, 5, -35);
    s.scale(0, 10, 5, -10); // replaces the unused one
    s.point(1, 1);
    ASSERT_EQ(s.primitives().size(), 5u);
    EXPECT_EQ(s.primitives()[0].kind, PrimitiveKind::Scale);
    EXPECT_FLOAT_EQ(s.primitives()[0].x1, -10);
    EXPECT_FLOAT_EQ(s.primitives()[0].y2, -3);
    EXPECT_EQ(s.primitives()[3].kind, PrimitiveKind::Scale);
    EXPECT_FLOAT_EQ(s.primitives()[3].y1, 10);
    EXPECT_EQ(s.primitives()[4].kind, PrimitiveKind::PointRun); // not merged across the new scale

    const auto before = s.revision();
    s.setBackColor(s.backColor());
    EXPECT_GT(s.revision(), before);
    EXPECT_TRUE(s.primitives().empty());
    EXPECT_EQ(s.pointCount(), 0u);
    EXPECT_EQ(s.userScale(), (UserScale{0, 10, 5, -10}));
    s.point(0, 0);
    EXPECT_EQ(s.primitives().front().kind, PrimitiveKind::Scale);
}

TEST(DrawingSurface, TakesCoordinatesInSinglePrecisionAndExplicitColoursLeaveForeColour) {
    DrawingSurface s;
    s.setForeColor(kCyan);
    s.setFillColor(kGreen);
    s.setDrawWidth(0);
    EXPECT_EQ(s.drawWidth(), 1);
    s.line(0.1, 0.2, 1e-50, 1.0 / 3.0, kBlue);
    s.filledBox(0, 0, 1, 1);
    s.ellipse(1, 2, 0.2, 1.7, kBlack);
    EXPECT_EQ(s.foreColor(), kCyan);
    const auto& list = s.primitives();
    EXPECT_EQ(list[1].x1, 0.1f);
    EXPECT_EQ(list[1].x2, 0.0f);
    EXPECT_EQ(list[1].y2, static_cast<float>(1.0 / 3.0));
    EXPECT_EQ(list[1].color, kBlue);
    EXPECT_EQ(list[2].fill, kGreen);
    EXPECT_EQ(list[3].kind, PrimitiveKind::Circle);
    EXPECT_FLOAT_EQ(list[3].aspect, 1.7f);
}

TEST(PixelMapping, MapsTheUserRectangleOntoThePictureBothWays) {
    const auto m = PixelMapping::of(UserScale{-10, 30, 100, -3}, 705, 369);
    EXPECT_DOUBLE_EQ(m.toPixelX(-10), 0);
    EXPECT_DOUBLE_EQ(m.toPixelX(100), 705);
    EXPECT_DOUBLE_EQ(m.toPixelY(30), 0);
    EXPECT_NEAR(m.toPixelY(-3), 369, 1e-9);
    EXPECT_NEAR(m.toUserX(m.toPixelX(42)), 42, 1e-9);
    EXPECT_NEAR(m.toUserY(m.toPixelY(7)), 7, 1e-9);
    EXPECT_NEAR(m.lengthToPixels(1), 705.0 / 110, 1e-12);
    const auto empty = PixelMapping::of(UserScale{1, 1, 1, 1}, 100, 100);
    EXPECT_EQ(empty.toPixelX(5), 0);
    EXPECT_EQ(empty.toUserX(5), 1);
}

} // namespace
} // namespace zorbal::platform
