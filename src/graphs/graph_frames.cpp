// SPDX-License-Identifier: MIT
// The two graph frames as drawings: the trajectory frame (sky, ground, launcher, figures, wind
// arrows) and the velocity grid, the limit boxes' reading and the velocity graph's speed limit.
#include "graphs/graph_frames.h"

#include "platform/number_text.h"

#include <cmath>

namespace zorbal::graphs {

double Log10(double x) {
    return std::log(x) / std::log(10.0);
}

double speedLimit(double maxSpeed) {
    if (!(maxSpeed > 0) || !std::isfinite(maxSpeed))
        return 10;
    const double powerOfTen = std::pow(10.0, std::ceil(Log10(maxSpeed)));
    const double c = maxSpeed / powerOfTen;
    double factor = 1;
    if (c < 0.2)
        factor = 0.2;
    else if (c < 0.3)
        factor = 0.35;
    else if (c < 0.4)
        factor = 0.4;
    else if (c < 0.5)
        factor = 0.5;
    else if (c < 0.6)
        factor = 0.65;
    else if (c < 0.7)
        factor = 0.75;
    else if (c < 0.8)
        factor = 0.85;
    return powerOfTen * factor;
}

double readGraphLimit(platform::TextBox& box, const GraphLimit& limit) {
    double value = platform::readLenient(box.Text);
    if (!(value >= limit.lowest)) {
        box.Text = platform::fixedTextNoGrouping(limit.writtenBelow, 0);
        value = platform::readLenient(box.Text);
    }
    if (value > limit.highest) {
        box.Text = platform::fixedTextNoGrouping(limit.writtenAbove, 0);
        value = platform::readLenient(box.Text);
    }
    return value;
}

namespace {

/// One stick figure standing on the ground behind the launcher.
struct StickFigure {
    double x;
    double headY, headRadius, headAspect;
    double neckY, hipY; ///< the body runs from the neck down to the hips
    double shoulderY, handY, armSpread;
};

void drawStickFigure(platform::DrawingSurface& picture, const StickFigure& f) {
    picture.ellipse(f.x, f.headY, f.headRadius, f.headAspect, platform::kBlack);
    picture.line(f.x, f.neckY, f.x, f.hipY, platform::kBlue);
    picture.line(f.x, f.hipY, f.x - 0.15, 0, platform::kBlue);
    picture.line(f.x, f.hipY, f.x + 0.15, 0, platform::kBlue);
    picture.line(f.x, f.shoulderY, f.x - f.armSpread, f.handY, platform::kBlue);
    picture.line(f.x, f.shoulderY, f.x + f.armSpread, f.handY, platform::kBlue);
}

} // namespace

void drawTrajectoryFrame(platform::DrawingSurface& picture, double H, double R, double windSpeed,
                         double maxWindSpeed) {
    picture.scale(-R / 10, H, R, -H / 10);
    picture.setBackColor(kSkyBlue);
    picture.setForeColor(kLightGrey);
    picture.setFillColor(kLightGreen);

    picture.line(0, H, 0, -H / 10);
    picture.filledBox(-R / 10, 0, R, -H / 10);
    picture.line(-R / 10, 0, R, 0);
    picture.filledBox(-0.05, 0.25, 0.05, 0, platform::kBlue);

    // The first figure's head is an upright ellipse, the second's a circle.
    drawStickFigure(picture, {.x = -0.5,
                              .headY = 2.0,
                              .headRadius = 0.2,
                              .headAspect = 1.7,
                              .neckY = 1.8,
                              .hipY = 1.0,
                              .shoulderY = 1.7,
                              .handY = 1.0,
                              .armSpread = 0.35});
    drawStickFigure(picture, {.x = -1.5,
                              .headY = 1.3,
                              .headRadius = 0.13,
                              .headAspect = 1.0,
                              .neckY = 1.17,
                              .hipY = 0.65,
                              .shoulderY = 1.105,
                              .handY = 0.65,
                              .armSpread = 0.35});
    picture.setDrawWidth(1);

    if (std::abs(windSpeed) >= 0.1) {
        for (int k = 1; k <= 4; ++k) {
            picture.setForeColor(platform::kRed);
            picture.setDrawWidth(1);
            const double y = k * 0.11 * H;
            const double x0 = 0.75 * R;
            const double length = R * 0.2 / maxWindSpeed * windSpeed;
            const double barbBack = std::sqrt(std::abs(length / 5));
            const double barbHeight = H / 50;
            const double s = windSpeed >= 0 ? 1.0 : -1.0;
            picture.line(x0, y, x0 + length, y);
            picture.line(x0 + length - s * barbBack, y + barbHeight, x0 + length, y);
            picture.line(x0 + length - s * barbBack, y - barbHeight, x0 + length, y);
            picture.setDrawWidth(2);
        }
    }
    picture.setDrawWidth(2);
}

void drawVelocityFrame(platform::DrawingSurface& picture, double P, double T) {
    picture.scale(0, P, T, -P);

    picture.setForeColor(kLightGrey);
    // Accumulated as the grid has always been drawn: fifty additions of 0.1 stay below 5.
    for (double t = 0; t <= T; t = t + 0.1)
        picture.line(t, P, t, -P);
    for (double v = 0; v >= -P; v = v - 5)
        picture.line(0, v, T, v);
    for (double v = 0; v <= P; v = v + 5)
        picture.line(0, v, T, v);

    picture.setForeColor(platform::kBlack);
    for (double t = 0; t <= T; t = t + 1)
        picture.line(t, P, t, -P);
    picture.line(0, 0, T, 0);
    picture.setDrawWidth(2);
}

} // namespace zorbal::graphs
