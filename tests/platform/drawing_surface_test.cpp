// SPDX-License-Identifier: MIT
#include "support/display_list.h"

#include <gtest/gtest.h>

#include <array>
#include <cstddef>
#include <random>
#include <vector>

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

// Two surfaces hold the same picture when their display lists, points and drawing state agree.
void expectSamePicture(const DrawingSurface& a, const DrawingSurface& b) {
    ASSERT_EQ(a.primitives().size(), b.primitives().size());
    for (std::size_t k = 0; k < a.primitives().size(); ++k) {
        const Primitive& p = a.primitives()[k];
        const Primitive& q = b.primitives()[k];
        ASSERT_EQ(p.kind, q.kind) << "entry " << k;
        EXPECT_EQ(p.period, q.period) << "entry " << k;
        EXPECT_EQ(p.color, q.color) << "entry " << k;
        EXPECT_EQ(p.width, q.width) << "entry " << k;
        EXPECT_EQ(p.first, q.first) << "entry " << k;
        EXPECT_EQ(p.count, q.count) << "entry " << k;
        EXPECT_EQ(p.x1, q.x1) << "entry " << k;
        for (int j = 0; j < p.period; ++j)
            EXPECT_EQ(p.styles[static_cast<std::size_t>(j)], q.styles[static_cast<std::size_t>(j)])
                << "entry " << k;
    }
    ASSERT_EQ(a.pointCount(), b.pointCount());
    for (const auto& run : a.primitives())
        if (run.kind == PrimitiveKind::PointRun) {
            const auto pa = a.points(run);
            const auto pb = b.points(run);
            EXPECT_TRUE(std::equal(pa.begin(), pa.end(), pb.begin()));
        }
    EXPECT_EQ(a.foreColor(), b.foreColor());
    EXPECT_EQ(a.revision(), b.revision());
}

// Drawing dots in bulk must give the picture of drawing them one by one, whatever run the
// surface ends with: a run of another cycle, one stopped mid-cycle, a changed scale.
TEST(DrawingSurface, DotsInBulkMakeTheSameDisplayListAsOneByOne) {
    const PointStyle palette[] = {{kRed, 1}, {kBlue, 1}, {kMagenta, 2}, {kRed, 2}};
    std::mt19937 random(7);
    auto pick = [&random](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    DrawingSurface bulk;
    DrawingSurface single;
    for (int action = 0; action < 3000; ++action) {
        const int what = pick(10);
        if (what == 0) {
            const double top = pick(3);
            bulk.scale(0, top, 10, 0);
            single.scale(0, top, 10, 0);
        } else if (what == 1) {
            bulk.line(0, 0, 1, 1);
            single.line(0, 0, 1, 1);
        } else {
            std::vector<PointStyle> styles(static_cast<std::size_t>(1 + pick(kMaxRunPeriod)));
            for (auto& style : styles)
                style = palette[pick(4)];
            const auto cycles = static_cast<std::size_t>(pick(6));
            auto at = [action](std::size_t i, std::size_t j) {
                return PointF{static_cast<float>(action + 0.1 * static_cast<double>(i)),
                              static_cast<float>(j)};
            };
            if (styles.size() == 1 && what == 2) {
                bulk.setForeColor(styles[0].color);
                bulk.setDrawWidth(styles[0].width);
                bulk.points(cycles, [&at](std::size_t i) { return at(i, 0); });
            } else {
                bulk.pointCycles(styles, cycles, at);
            }
            for (std::size_t i = 0; i < cycles; ++i)
                for (std::size_t j = 0; j < styles.size(); ++j) {
                    single.setForeColor(styles[j].color);
                    single.setDrawWidth(styles[j].width);
                    const PointF p = at(i, j);
                    single.point(p.x, p.y);
                }
            bulk.setDrawWidth(single.drawWidth());
            if (cycles == 0)
                single.setForeColor(bulk.foreColor());
        }
        ASSERT_NO_FATAL_FAILURE(expectSamePicture(bulk, single)) << "after action " << action;
    }
    EXPECT_GT(bulk.pointCount(), 5000u);
}

TEST(DrawingSurface, PixelKindsKeepDoublesTheirOwnStylesAndAreErasedWithTheRest) {
    DrawingSurface s;
    s.scale(0, 0, 300, 200);
    s.setForeColor(kRed);
    s.setDrawWidth(5);
    const double third = 100.0 / 3;
    s.text(third, 20.25, "Range (metres)", TextStyle{13, HAlign::Right, VAlign::Middle, true, true}, kBlue);
    s.stroke(1, 2, third, 4, 1.5, kGreen, true);
    const std::vector<PointD> one = {{1, 1}};
    s.polyline(one, 2, kBlack); // one point joins nothing
    const std::vector<PointD> two = {{third, 1}, {2, third}};
    s.polyline(two, 2, kMagenta);
    s.filledEllipse(10, 20, 3, 4, kWhite, kBlack, 2);
    s.rect(-3, 4, 10, 12, kCyan, 235, kBlack, -1);
    s.hatch(-3, 4, 10, 12, kBlack);

    const auto& list = s.primitives();
    ASSERT_EQ(list.size(), 7u);
    const Primitive& text = list[1];
    EXPECT_EQ(text.kind, PrimitiveKind::Text);
    EXPECT_EQ(s.texts().at(text.text), "Range (metres)");
    EXPECT_EQ(std::vector<double>(s.values(text).begin(), s.values(text).end()),
              (std::vector<double>{third, 20.25, 13}));
    EXPECT_TRUE(text.hAlign == HAlign::Right && text.vAlign == VAlign::Middle && text.isBold &&
                text.isVertical);
    EXPECT_EQ(text.color, kBlue);
    const Primitive& stroke = list[2];
    EXPECT_EQ(s.values(stroke)[2], third); // not rounded to single precision
    EXPECT_EQ(s.values(stroke)[4], 1.5);
    EXPECT_TRUE(stroke.isDashed);
    const Primitive& line = list[3];
    EXPECT_EQ(line.kind, PrimitiveKind::Polyline);
    EXPECT_EQ(std::vector<double>(s.values(line).begin(), s.values(line).end()),
              (std::vector<double>{2, third, 1, 2, third}));
    EXPECT_EQ(line.color, kMagenta);
    EXPECT_EQ(list[4].fill, kWhite);
    EXPECT_EQ(list[4].color, kBlack);
    const Primitive& rect = list[5];
    EXPECT_EQ(rect.kind, PrimitiveKind::Rect);
    EXPECT_EQ((std::array{rect.x1, rect.y1, rect.x2, rect.y2}), (std::array{-3.0f, 4.0f, 10.0f, 12.0f}));
    EXPECT_EQ(rect.opacity, 235);
    EXPECT_EQ(rect.width, 0); // no outline, whatever the drawing width
    EXPECT_EQ(list[6].kind, PrimitiveKind::Hatch);
    EXPECT_EQ(s.foreColor(), kRed); // the drawing state is not touched
    EXPECT_EQ(s.drawWidth(), 5);

    // Erasing forgets the numbers and texts too: what is drawn next starts afresh.
    s.erase();
    s.text(1, 2, "again", TextStyle{}, kBlack);
    ASSERT_EQ(s.primitives().size(), 2u);
    EXPECT_EQ(s.primitives()[1].first, 0u);
    EXPECT_EQ(s.primitives()[1].text, 0u);
    EXPECT_EQ(s.texts().size(), 1u);
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
