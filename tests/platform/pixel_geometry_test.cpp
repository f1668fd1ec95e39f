// SPDX-License-Identifier: MIT
#include "platform/pixel_geometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <optional>
#include <string>

namespace zorbal::platform {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
/// The picture the tables are painted on: 100 x 50 pixels, so with the margin positions run
/// from -64 to 164 across and from -64 to 114 down.
constexpr double kWidth = 100, kHeight = 50;

std::string describe(const PixelSegment& s) {
    return "(" + std::to_string(s.x1) + ", " + std::to_string(s.y1) + ") to (" + std::to_string(s.x2) + ", " +
           std::to_string(s.y2) + ")";
}

Primitive entry(PrimitiveKind kind, double x1, double y1, double x2 = 0, double y2 = 0) {
    Primitive e;
    e.kind = kind;
    e.x1 = static_cast<float>(x1), e.y1 = static_cast<float>(y1);
    e.x2 = static_cast<float>(x2), e.y2 = static_cast<float>(y2);
    return e;
}

TEST(PixelGeometry, ClipsSegmentsToThePicturePlusItsMargin) {
    struct Case {
        const char* what;
        PixelSegment in;
        std::optional<PixelSegment> out;
    };
    const Case cases[] = {
        {"inside", {10, 10, 90, 40}, PixelSegment{10, 10, 90, 40}},
        {"a single point inside", {5, 5, 5, 5}, PixelSegment{5, 5, 5, 5}},
        {"along the margin's bottom edge", {0, 114, 50, 114}, PixelSegment{0, 114, 50, 114}},
        {"NaN end", {kNaN, 10, 50, 10}, std::nullopt},
        {"infinite end", {10, 10, kInf, 10}, std::nullopt},
        {"minus infinite end", {10, -kInf, 10, 10}, std::nullopt},
        {"left of the margin", {-100, 0, -70, 40}, std::nullopt},
        {"below the margin", {0, 120, 100, 130}, std::nullopt},
        {"past the corner outside", {-140, 0, 0, -140}, std::nullopt},
        {"a single point outside", {-65, 0, -65, 0}, std::nullopt},
        {"out on the left", {-100, 20, 50, 20}, PixelSegment{-64, 20, 50, 20}},
        {"out on the right, backwards", {200, 20, 50, 20}, PixelSegment{164, 20, 50, 20}},
        {"out at the top and bottom", {30, -200, 30, 300}, PixelSegment{30, -64, 30, 114}},
        {"through two edges", {-164, 0, 36, 200}, PixelSegment{-64, 100, -50, 114}},
        {"both ends far out along an axis", {-1e300, 25, 1e300, 25}, PixelSegment{-64, 25, 164, 25}},
        {"far out below", {50, -1e300, 50, 10}, PixelSegment{50, -64, 50, 10}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::optional<PixelSegment> clipped = clipSegment(c.in, kWidth, kHeight);
        ASSERT_EQ(clipped.has_value(), c.out.has_value());
        if (clipped) {
            EXPECT_NEAR(clipped->x1, c.out->x1, 1e-9) << describe(*clipped);
            EXPECT_NEAR(clipped->y1, c.out->y1, 1e-9) << describe(*clipped);
            EXPECT_NEAR(clipped->x2, c.out->x2, 1e-9) << describe(*clipped);
            EXPECT_NEAR(clipped->y2, c.out->y2, 1e-9) << describe(*clipped);
        }
    }
}

TEST(PixelGeometry, AClippedFarEndLiesExactlyOnTheEdge) {
    // From inside out to 1e15 pixels: the slope 2 puts the exit at y = 114, x = 50 + 89 / 2.
    const auto clipped = clipSegment(PixelSegment{50, 25, 50 + 1e15, 25 + 2e15}, kWidth, kHeight);
    ASSERT_TRUE(clipped);
    EXPECT_EQ(clipped->x1, 50);
    EXPECT_EQ(clipped->y1, 25);
    EXPECT_EQ(clipped->y2, 114);
    EXPECT_NEAR(clipped->x2, 94.5, 1e-9);
    // The same line the other way round clips its first end.
    const auto reversed = clipSegment(PixelSegment{50 + 1e15, 25 + 2e15, 50, 25}, kWidth, kHeight);
    ASSERT_TRUE(reversed);
    EXPECT_EQ(reversed->y1, 114);
    EXPECT_NEAR(reversed->x1, 94.5, 1e-9);
    // A slanted exit at a corner stays inside the widened picture.
    const auto corner = clipSegment(PixelSegment{0, 0, -1e20, -1e20}, kWidth, kHeight);
    ASSERT_TRUE(corner);
    EXPECT_GE(corner->x2, -64);
    EXPECT_GE(corner->y2, -64);
    EXPECT_TRUE(corner->x2 == -64 || corner->y2 == -64);
}

TEST(PixelGeometry, MapsLinesWithTheScaleAndLeavesOutWhatIsNotFinite) {
    const auto mapping = PixelMapping::of(UserScale{0, 10, 10, 0}, kWidth, kHeight);
    const auto line = lineInPixels(mapping, entry(PrimitiveKind::Line, 1, 2, 3, 4), kWidth, kHeight);
    ASSERT_TRUE(line);
    EXPECT_EQ(*line, (PixelSegment{10, 40, 30, 30}));
    EXPECT_FALSE(lineInPixels(mapping, entry(PrimitiveKind::Line, kNaN, 2, 3, 4), kWidth, kHeight));
    EXPECT_FALSE(lineInPixels(mapping, entry(PrimitiveKind::Line, 1, 2, 3, kInf), kWidth, kHeight));
    // A scale of no extent maps every position of that axis onto 0; infinity times 0 is left out.
    const auto flat = PixelMapping::of(UserScale{5, 10, 5, 0}, kWidth, kHeight);
    EXPECT_EQ(*lineInPixels(flat, entry(PrimitiveKind::Line, 1, 2, 3, 4), kWidth, kHeight),
              (PixelSegment{0, 40, 0, 30}));
    EXPECT_FALSE(lineInPixels(flat, entry(PrimitiveKind::Line, kInf, 2, 3, 4), kWidth, kHeight));
}

TEST(PixelGeometry, PenWidthsScaleWithTheRatioAndCapsFollowTheWidth) {
    struct Case {
        int width;
        double ratio;
        int px;
    };
    for (const Case& c :
         {Case{1, 1, 1}, Case{1, 1.5, 2}, Case{2, 1.25, 3}, Case{3, 2, 6}, Case{1, 0.4, 1}, Case{3, 0, 1}}) {
        SCOPED_TRACE(std::to_string(c.width) + " at " + std::to_string(c.ratio));
        EXPECT_EQ(penWidthPx(c.width, c.ratio), c.px);
    }
    EXPECT_EQ(penCapOf(1), PenCap::Square);
    EXPECT_EQ(penCapOf(2), PenCap::Round);
}

TEST(PixelGeometry, RoundsHalvesUpwardsAsTheCanvasScriptDoes) {
    struct Case {
        double value, rounded;
    };
    for (const Case& c :
         {Case{2.5, 3}, Case{-2.5, -2}, Case{-0.5, 0}, Case{0.49999999999999994, 0},
          Case{-0.49999999999999994, 0}, Case{-3.7, -4}, Case{1e300, 1e300}, Case{kInf, kInf}}) {
        SCOPED_TRACE(std::to_string(c.value));
        EXPECT_EQ(roundHalfUp(c.value), c.rounded);
    }
    EXPECT_TRUE(std::isnan(roundHalfUp(kNaN)));
}

TEST(PixelGeometry, SnapsLinesAlongAnAxisOntoThePixelsTheyCover) {
    struct Case {
        double coordinate;
        int pen;
        double snapped;
    };
    // Odd widths: the middle of the pixel; even widths: the nearest pixel corner.
    for (const Case& c :
         {Case{10.2, 1, 10.5}, Case{10.9, 1, 10.5}, Case{10, 1, 10.5}, Case{-0.2, 1, -0.5},
          Case{10.5, 3, 10.5}, Case{10.5, 2, 11}, Case{10.49, 2, 10}, Case{-2.5, 2, -2}, Case{-64, 4, -64}}) {
        SCOPED_TRACE(std::to_string(c.coordinate) + " pen " + std::to_string(c.pen));
        EXPECT_EQ(snapToPixelGrid(c.coordinate, c.pen), c.snapped);
    }
    EXPECT_EQ(snapAlongAxis(PixelSegment{1.2, 7.7, 9.6, 7.7}, 1), (PixelSegment{1.5, 7.5, 9.5, 7.5}));
    EXPECT_EQ(snapAlongAxis(PixelSegment{3.4, 0.2, 3.4, 20.6}, 2), (PixelSegment{3, 0, 3, 21}));
    // Slanted lines are smoothed by the painter and keep their ends.
    EXPECT_EQ(snapAlongAxis(PixelSegment{1.2, 7.7, 9.6, 8.1}, 1), (PixelSegment{1.2, 7.7, 9.6, 8.1}));
}

TEST(PixelGeometry, BoxesAreClampedNormalisedAndRoundedOntoWholePixels) {
    const auto mapping = PixelMapping::of(UserScale{0, 0, kWidth, kHeight}, kWidth, kHeight);
    struct Case {
        const char* what;
        Primitive box;
        std::optional<PixelRect> filled;
        StrokeRect outlineOdd, outlineEven;
    };
    const Case cases[] = {
        {"inside, corners reversed", entry(PrimitiveKind::Box, 10.5, 30.2, 2.5, 4.7), PixelRect{3, 5, 8, 25},
         StrokeRect{2.5, 4.5, 8, 26}, StrokeRect{2, 4, 8, 26}},
        {"negative halves round upwards", entry(PrimitiveKind::FilledBox, -10.5, -2.5, 20, 10),
         PixelRect{-10, -2, 30, 12}, StrokeRect{-10.5, -2.5, 31, 13}, StrokeRect{-11, -3, 31, 13}},
        {"far out, clamped to the margin", entry(PrimitiveKind::Box, -1e30, 20, 1e30, 1e30),
         PixelRect{-64, 20, 228, 94}, StrokeRect{-63.5, 20.5, 228, 94}, StrokeRect{-64, 20, 228, 94}},
        {"infinite corner", entry(PrimitiveKind::FilledBox, 10, 10, kInf, -kInf), PixelRect{10, -64, 154, 74},
         StrokeRect{10.5, -63.5, 154, 74}, StrokeRect{10, -64, 154, 74}},
        {"NaN corner", entry(PrimitiveKind::Box, 10, kNaN, 20, 20), std::nullopt, {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::optional<PixelBox> box = boxInPixels(mapping, c.box, kWidth, kHeight);
        ASSERT_EQ(box.has_value(), c.filled.has_value());
        if (!box)
            continue;
        EXPECT_LE(box->left(), box->right());
        EXPECT_LE(box->top(), box->bottom());
        EXPECT_EQ(filledPixels(*box), *c.filled);
        EXPECT_EQ(outlinePixels(*box, 1), c.outlineOdd);
        EXPECT_EQ(outlinePixels(*box, 3), c.outlineOdd);
        EXPECT_EQ(outlinePixels(*box, 2), c.outlineEven);
    }
}

TEST(PixelGeometry, PlacesCirclesAndEllipsesAndLeavesOutWhatCannotBeSeen) {
    // 10 pixels per unit across, the y axis pointing up.
    const auto mapping = PixelMapping::of(UserScale{0, 5, 10, 0}, kWidth, kHeight);
    struct Case {
        const char* what;
        double x, y, radius, aspect;
        std::optional<PixelEllipse> out;
    };
    const Case cases[] = {
        {"round", 5, 2.5, 1, 1, PixelEllipse{50, 25, 10, 10}},
        {"flat: the radius is the horizontal half-axis", 5, 2.5, 2, 0.5, PixelEllipse{50, 25, 20, 10}},
        {"tall: the radius is the vertical half-axis", 5, 2.5, 2, 4, PixelEllipse{50, 25, 5, 20}},
        {"negative radius and aspect", 5, 2.5, -2, -0.5, PixelEllipse{50, 25, 20, 10}},
        {"zero aspect", 5, 2.5, 2, 0, PixelEllipse{50, 25, 20, 0}},
        {"largest radius", 5, 2.5, 1e5, 1, PixelEllipse{50, 25, 1e6, 1e6}},
        {"radius too large", 5, 2.5, 2e5, 1, std::nullopt},
        {"infinite radius", 5, 2.5, kInf, 1, std::nullopt},
        {"NaN aspect", 5, 2.5, 1, kNaN, std::nullopt},
        {"NaN centre", kNaN, 2.5, 1, 1, std::nullopt},
        {"centre outside, edge reaching into the margin", -12, 2.5, 6, 1, PixelEllipse{-120, 25, 60, 60}},
        {"wholly outside the margin", -12, 2.5, 5, 1, std::nullopt},
        {"below the margin", 5, -20, 2, 0.5, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const auto ellipse = ellipseInPixels(mapping, c.x, c.y, c.radius, c.aspect, kWidth, kHeight);
        ASSERT_EQ(ellipse.has_value(), c.out.has_value());
        if (!ellipse)
            continue;
        EXPECT_NEAR(ellipse->centreX, c.out->centreX, 1e-9);
        EXPECT_NEAR(ellipse->centreY, c.out->centreY, 1e-9);
        EXPECT_NEAR(ellipse->radiusX, c.out->radiusX, 1e-9);
        EXPECT_NEAR(ellipse->radiusY, c.out->radiusY, 1e-9);
    }
    // A scale of no extent: every circle shrinks to a point at the picture's corner.
    const auto flat = ellipseInPixels(PixelMapping::of(UserScale{1, 1, 1, 1}, kWidth, kHeight), 5, 5, 3, 1,
                                      kWidth, kHeight);
    ASSERT_TRUE(flat);
    EXPECT_EQ(flat->radiusX, 0);
    EXPECT_EQ(flat->centreX, 0);
}

TEST(PixelGeometry, ArcsRunCounterClockwiseFromTheirStart) {
    const auto mapping = PixelMapping::of(UserScale{0, 5, 10, 0}, kWidth, kHeight);
    auto arcOf = [&](double radius, double start, double end) {
        Primitive e = entry(PrimitiveKind::Arc, 5, 2.5);
        e.radius = static_cast<float>(radius), e.aspect = 0.25f; // an arc is always round
        e.start = static_cast<float>(start), e.end = static_cast<float>(end);
        return arcInPixels(mapping, e, kWidth, kHeight);
    };
    const auto quarter = arcOf(1, 0, std::numbers::pi / 2);
    ASSERT_TRUE(quarter);
    EXPECT_EQ(quarter->radius, 10);
    EXPECT_NEAR(quarter->span, std::numbers::pi / 2, 1e-6);
    const auto wrapped = arcOf(1, 3, 1); // from 3 round past 2 pi to 1
    ASSERT_TRUE(wrapped);
    EXPECT_NEAR(wrapped->start, 3, 1e-6);
    EXPECT_NEAR(wrapped->span, 2 * std::numbers::pi - 2, 1e-6);
    EXPECT_FALSE(arcOf(1, kNaN, 1));
    EXPECT_FALSE(arcOf(1, 0, kInf));
    EXPECT_FALSE(arcOf(2e5, 0, 1));
}

} // namespace
} // namespace zorbal::platform
