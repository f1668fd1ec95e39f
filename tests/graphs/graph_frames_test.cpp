// SPDX-License-Identifier: MIT
#include "support/display_list.h"

#include "graphs/graph_frames.h"
#include "support/window_fixture.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>

namespace zorbal::test {
namespace {

using platform::PrimitiveKind;

constexpr float kTol = 1e-4f;

class TrajectoryFrame : public WindowTest {};
class VelocityFrame : public WindowTest {};

const platform::Primitive& scaleEntry(const platform::DrawingSurface& s) {
    EXPECT_FALSE(s.primitives().empty());
    return s.primitives().front();
}

TEST_F(TrajectoryFrame, SpansOneEleventhBehindAndBelowTheLaunchPoint) {
    window.ScaleXYGraph();
    const auto& xy = window.pctXYGraph;
    const auto& scale = scaleEntry(xy);
    ASSERT_EQ(scale.kind, PrimitiveKind::Scale);
    EXPECT_EQ((std::array{scale.x1, scale.y1, scale.x2, scale.y2}),
              (std::array{-10.0f, 30.0f, 100.0f, -3.0f}));
    EXPECT_EQ(xy.backColor(), graphs::kSkyBlue);

    const auto boxes = entries(xy, PrimitiveKind::FilledBox, 0, true);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].fill, graphs::kLightGreen); // ground, over the foot of the height axis
    EXPECT_EQ((std::array{boxes[0].x1, boxes[0].y1, boxes[0].x2, boxes[0].y2}),
              (std::array{-10.0f, 0.0f, 100.0f, -3.0f}));
    EXPECT_EQ(boxes[1].fill, platform::kBlue); // launcher
    EXPECT_FLOAT_EQ(boxes[1].y1, 0.25f);
    EXPECT_EQ(lines(xy, graphs::kLightGrey).size(), 2u); // height axis and ground line

    EXPECT_EQ(entries(xy, PrimitiveKind::Circle, platform::kBlack).size(), 2u); // the figures' heads
    EXPECT_EQ(lines(xy, platform::kBlue).size(), 10u);                          // and limbs
    EXPECT_TRUE(lines(xy, platform::kRed).empty());                             // no wind, no arrows
    EXPECT_EQ(xy.drawWidth(), 2);
}

TEST_F(TrajectoryFrame, ClampsTheLimitBoxesAndKeepsAcceptedTextAsTyped) {
    struct Case {
        int box;
        const char* typed;
        const char* shown;
    };
    const Case cases[] = {{0, "150", "100"}, {0, "4", "5"},         {0, "", "5"},        {0, "abc", "5"},
                          {0, "5", "5"},     {0, "100", "100"},     {0, "12,5", "12,5"}, {1, "1000", "500"},
                          {1, "9.99", "10"}, {1, "250.5", "250.5"}, {1, "1e999", "500"}};
    for (const auto& c : cases) {
        window.txtGraph[0].Text = "30";
        window.txtGraph[1].Text = "100";
        window.txtGraph[static_cast<std::size_t>(c.box)].Text = c.typed;
        window.ScaleXYGraph();
        EXPECT_EQ(window.txtGraph[static_cast<std::size_t>(c.box)].Text, c.shown) << c.typed;
    }
    window.txtGraph[0].Text = "150";
    window.txtGraph[1].Text = "9.99";
    window.ScaleXYGraph();
    const auto& scale = scaleEntry(window.pctXYGraph);
    EXPECT_FLOAT_EQ(scale.y1, 100);
    EXPECT_FLOAT_EQ(scale.y2, -10);
    EXPECT_FLOAT_EQ(scale.x1, -1);
    EXPECT_FLOAT_EQ(scale.x2, 10);
}

TEST_F(TrajectoryFrame, WindArrowsPointWithTheWindAndGrowWithIt) {
    for (double wind : {-10.0, 10.0}) {
        window.WindSpeed = wind;
        window.ScaleXYGraph();
        const auto arrows = lines(window.pctXYGraph, platform::kRed);
        ASSERT_EQ(arrows.size(), 12u);
        const float tip = wind < 0 ? 55.0f : 95.0f;
        const float barbBase = wind < 0 ? 57.0f : 93.0f;
        for (int k = 1; k <= 4; ++k) {
            const float y = static_cast<float>(k * 0.11 * 30);
            const auto* arrow = &arrows[static_cast<std::size_t>(3 * (k - 1))];
            EXPECT_NEAR(arrow[0].x1, 75, kTol);
            EXPECT_NEAR(arrow[0].x2, tip, kTol);
            EXPECT_NEAR(arrow[0].y1, y, kTol);
            EXPECT_NEAR(arrow[1].x1, barbBase, kTol);
            EXPECT_NEAR(arrow[1].y1, y + 0.6f, kTol);
            EXPECT_NEAR(arrow[2].y1, y - 0.6f, kTol);
            EXPECT_NEAR(arrow[2].x2, tip, kTol);
        }
        EXPECT_EQ(window.pctXYGraph.foreColor(), platform::kRed);
    }
    window.WindSpeed = 0.09;
    window.ScaleXYGraph();
    EXPECT_TRUE(lines(window.pctXYGraph, platform::kRed).empty());
    window.WindSpeed = -0.1;
    window.ScaleXYGraph();
    EXPECT_EQ(lines(window.pctXYGraph, platform::kRed).size(), 12u);
}

TEST_F(VelocityFrame, WritesTheChosenLimitAndDrawsTheGrid) {
    window.Rocket.MaxSpeed = 25;
    window.cmdClearGraph_Click(1);
    EXPECT_EQ(window.txtGraph[2].Text, "35.0");
    const auto& vt = window.pctVTgraph;
    const auto& scale = scaleEntry(vt);
    EXPECT_FLOAT_EQ(scale.x1, 0);
    EXPECT_FLOAT_EQ(scale.y1, 35);
    EXPECT_FLOAT_EQ(scale.x2, 5);
    EXPECT_FLOAT_EQ(scale.y2, -35);
    EXPECT_EQ(vt.backColor(), platform::kWhite);

    int greyTime = 0, greySpeed = 0, blackTime = 0, blackAxis = 0;
    std::vector<float> speeds;
    for (const auto& l : lines(vt, graphs::kLightGrey)) {
        if (l.x1 == l.x2) {
            ++greyTime;
        } else {
            ++greySpeed;
            speeds.push_back(l.y1);
        }
    }
    for (const auto& l : lines(vt, platform::kBlack))
        (l.x1 == l.x2 ? blackTime : blackAxis)++;
    EXPECT_EQ(greyTime, 51);
    EXPECT_EQ(blackTime, 6);
    EXPECT_EQ(blackAxis, 1);
    EXPECT_EQ(greySpeed, 16);
    EXPECT_FLOAT_EQ(speeds[7], -35);
    EXPECT_FLOAT_EQ(speeds.back(), 35);
    EXPECT_EQ(vt.drawWidth(), 2);

    for (auto [speed, shown] : {std::pair{10.0, "10.0"}, {4.2, "5.0"}, {50.0, "65.0"}, {0.5, ".7"}}) {
        window.Rocket.MaxSpeed = speed;
        window.cmdClearGraph_Click(1);
        EXPECT_EQ(window.txtGraph[2].Text, shown) << speed;
    }
}

TEST_F(VelocityFrame, ClampsTheTimeLimitAndOnlyIndexOneClears) {
    window.Rocket.MaxSpeed = 10;
    for (auto [typed, shown] : {std::pair{"0.4", "1"}, {"0.5", "0.5"}, {"31", "30"}, {"", "1"}}) {
        window.txtGraph[3].Text = typed;
        window.cmdClearGraph_Click(1);
        EXPECT_EQ(window.txtGraph[3].Text, shown) << typed;
    }
    EXPECT_FLOAT_EQ(scaleEntry(window.pctVTgraph).x2, 1);
    const auto revision = window.pctVTgraph.revision();
    window.cmdClearGraph_Click(0);
    EXPECT_EQ(window.pctVTgraph.revision(), revision);
}

TEST_F(TrajectoryFrame, LeavingALimitBoxFliesAgainWithoutCounting) {
    ASSERT_TRUE(launch());
    window.SSTab1.setTab(1);
    window.txtGraph[3].Text = "2";
    bool cancel = false;
    window.txtGraph_Validate(3, cancel);
    EXPECT_FALSE(cancel);
    EXPECT_EQ(window.LaunchCount, 1);
    EXPECT_EQ(window.SSTab1.Tab(), 3);
    EXPECT_EQ(window.TabAfterLaunch, 2);
    EXPECT_TRUE(window.CountLaunch);
    EXPECT_FLOAT_EQ(scaleEntry(window.pctVTgraph).x2, 2);

    window.txtGraph[0].Text = "150";
    window.txtGraph_Validate(0, cancel);
    EXPECT_EQ(window.txtGraph[0].Text, "100");
    EXPECT_EQ(window.SSTab1.Tab(), 2);
    EXPECT_EQ(window.LaunchCount, 1);
}

TEST_F(TrajectoryFrame, LeavingALimitBoxBeforeTheFirstLaunchOnlyRescales) {
    window.txtGraph[0].Text = "150";
    window.txtGraph[3].Text = "0.1";
    bool cancel = false;
    window.txtGraph_Validate(0, cancel);
    window.txtGraph_Validate(3, cancel);
    EXPECT_EQ(window.LaunchCount, 0);
    EXPECT_EQ(window.txtGraph[0].Text, "100");
    EXPECT_EQ(window.txtGraph[3].Text, "1");
    EXPECT_FLOAT_EQ(scaleEntry(window.pctXYGraph).y1, 100);
    EXPECT_TRUE(window.pctVTgraph.primitives().empty()); // blank until the first flight
    EXPECT_EQ(window.TabAfterLaunch, 2);
}

} // namespace
} // namespace zorbal::test
