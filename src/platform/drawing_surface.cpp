// SPDX-License-Identifier: MIT
// The drawing surface's display list.
#include "platform/drawing_surface.h"

namespace zorbal::platform {

namespace {

/// Stores two corners (a line's two ends, a box's opposite corners) in an entry's fields.
void setCorners(Primitive& entry, double x1, double y1, double x2, double y2) {
    entry.x1 = static_cast<float>(x1);
    entry.y1 = static_cast<float>(y1);
    entry.x2 = static_cast<float>(x2);
    entry.y2 = static_cast<float>(y2);
}

} // namespace

void DrawingSurface::scale(double x1, double y1, double x2, double y2) {
    m_scale =
        UserScale{static_cast<double>(static_cast<float>(x1)), static_cast<double>(static_cast<float>(y1)),
                  static_cast<double>(static_cast<float>(x2)), static_cast<double>(static_cast<float>(y2))};
    m_scalePending = true;
    ++m_revision;
}

void DrawingSurface::erase() {
    m_list.clear();
    m_points.clear();
    m_values.clear();
    m_texts.clear();
    m_scalePending = true;
    ++m_revision;
}

void DrawingSurface::setBackColor(Color color) {
    m_backColor = color;
    erase();
}

Primitive& DrawingSurface::add(PrimitiveKind kind, Color color) {
    if (m_scalePending) {
        Primitive scaleEntry;
        scaleEntry.kind = PrimitiveKind::Scale;
        setCorners(scaleEntry, m_scale.left, m_scale.top, m_scale.right, m_scale.bottom);
        // Two changes of scale with nothing drawn in between: only the last one counts.
        if (!m_list.empty() && m_list.back().kind == PrimitiveKind::Scale)
            m_list.back() = scaleEntry;
        else
            m_list.push_back(scaleEntry);
        m_scalePending = false;
    }
    Primitive& entry = m_list.emplace_back();
    entry.kind = kind;
    entry.color = color;
    entry.fill = color;
    entry.width = m_drawWidth;
    ++m_revision;
    return entry;
}

void DrawingSurface::startRun(const PointStyle& style) {
    Primitive& run = add(PrimitiveKind::PointRun, style.color);
    run.width = style.width;
    run.first = static_cast<std::uint32_t>(m_points.size());
    run.count = 1;
    run.period = 1;
    run.styles[0] = style;
}

void DrawingSurface::line(double x1, double y1, double x2, double y2, Color color) {
    setCorners(add(PrimitiveKind::Line, color), x1, y1, x2, y2);
}

void DrawingSurface::box(double x1, double y1, double x2, double y2, Color color) {
    setCorners(add(PrimitiveKind::Box, color), x1, y1, x2, y2);
}

void DrawingSurface::filledBox(double x1, double y1, double x2, double y2, Color color) {
    setCorners(add(PrimitiveKind::FilledBox, color), x1, y1, x2, y2);
}

void DrawingSurface::ellipse(double x, double y, double radius, double aspect, Color color) {
    Primitive& entry = add(PrimitiveKind::Circle, color);
    entry.x1 = static_cast<float>(x);
    entry.y1 = static_cast<float>(y);
    entry.radius = static_cast<float>(radius);
    entry.aspect = static_cast<float>(aspect);
}

void DrawingSurface::arc(double x, double y, double radius, double start, double end) {
    Primitive& entry = add(PrimitiveKind::Arc, m_foreColor);
    entry.x1 = static_cast<float>(x);
    entry.y1 = static_cast<float>(y);
    entry.radius = static_cast<float>(radius);
    entry.start = static_cast<float>(start);
    entry.end = static_cast<float>(end);
}

Primitive& DrawingSurface::addExact(PrimitiveKind kind, Color color, std::initializer_list<double> values) {
    Primitive& entry = add(kind, color);
    entry.width = 0;
    entry.first = static_cast<std::uint32_t>(m_values.size());
    entry.count = static_cast<std::uint32_t>(values.size());
    m_values.insert(m_values.end(), values);
    return entry;
}

void DrawingSurface::text(double x, double y, std::string_view content, const TextStyle& style, Color color) {
    Primitive& entry = addExact(PrimitiveKind::Text, color, {x, y, style.fontPx});
    entry.text = static_cast<std::uint32_t>(m_texts.size());
    entry.hAlign = style.hAlign;
    entry.vAlign = style.vAlign;
    entry.isBold = style.isBold;
    entry.isVertical = style.isVertical;
    m_texts.emplace_back(content);
}

void DrawingSurface::stroke(double x1, double y1, double x2, double y2, double widthPx, Color color,
                            bool isDashed) {
    addExact(PrimitiveKind::Stroke, color, {x1, y1, x2, y2, widthPx}).isDashed = isDashed;
}

void DrawingSurface::polyline(std::span<const PointD> points, double widthPx, Color color) {
    if (points.size() < 2)
        return;
    Primitive& entry = addExact(PrimitiveKind::Polyline, color, {widthPx});
    for (const PointD& p : points) {
        m_values.push_back(p.x);
        m_values.push_back(p.y);
    }
    entry.count += static_cast<std::uint32_t>(2 * points.size());
}

void DrawingSurface::filledEllipse(double x, double y, double radiusX, double radiusY, Color fill,
                                   Color outline, double outlineWidthPx) {
    addExact(PrimitiveKind::FilledEllipse, outline, {x, y, radiusX, radiusY, outlineWidthPx}).fill = fill;
}

void DrawingSurface::rect(double x1, double y1, double x2, double y2, Color fill, std::uint8_t opacity,
                          Color outline, int outlineWidthPx) {
    Primitive& entry = add(PrimitiveKind::Rect, outline);
    setCorners(entry, x1, y1, x2, y2);
    entry.fill = fill;
    entry.opacity = opacity;
    entry.width = outlineWidthPx > 0 ? outlineWidthPx : 0;
}

void DrawingSurface::hatch(double x1, double y1, double x2, double y2, Color color) {
    Primitive& entry = add(PrimitiveKind::Hatch, color);
    setCorners(entry, x1, y1, x2, y2);
    entry.width = 0;
}

} // namespace zorbal::platform
