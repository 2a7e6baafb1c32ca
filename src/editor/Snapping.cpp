#include "editor/Snapping.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace editor {

namespace {

// Lines closer than this are taken as one: sums of fractional pixels are not exact.
constexpr float kSameLine = 0.01f;

struct Span {
    float start = 0, size = 0;
    float end() const { return start + size; }
};

Span span(const PlanBox& box, Axis axis) {
    return axis == Axis::X ? Span{box.left, box.width} : Span{box.top, box.height};
}

void setSpan(PlanBox& box, Axis axis, Span s) {
    if (axis == Axis::X) {
        box.left = s.start;
        box.width = s.size;
    } else {
        box.top = s.start;
        box.height = s.size;
    }
}

// The offset that brings the nearest of `moving` onto a target line within `distance`.
std::optional<float> nearestPull(const std::vector<float>& moving, const std::vector<float>& lines,
                                 float distance) {
    std::optional<float> best;
    for (const float m : moving)
        for (const float t : lines) {
            const float d = t - m;
            if (std::abs(d) <= distance && (!best || std::abs(d) < std::abs(*best)))
                best = d;
        }
    return best;
}

void addGuides(std::vector<Guide>& guides, Axis axis, const std::vector<float>& boxLines,
               const std::vector<float>& lines) {
    for (const float t : lines) {
        const bool met = std::any_of(boxLines.begin(), boxLines.end(),
                                     [t](float m) { return std::abs(t - m) < kSameLine; });
        const bool known = std::any_of(guides.begin(), guides.end(), [&](const Guide& g) {
            return g.axis == axis && std::abs(g.at - t) < kSameLine;
        });
        if (met && !known)
            guides.push_back(Guide{axis, t});
    }
}

// Which of a span's edges a handle moves on an axis.
struct MovedEdges {
    bool start = false, end = false;
};

MovedEdges movedEdges(Handle handle, Axis axis) {
    switch (handle) {
    case Handle::TopLeft:
        return {true, false};
    case Handle::Top:
        return axis == Axis::Y ? MovedEdges{true, false} : MovedEdges{};
    case Handle::TopRight:
        return axis == Axis::X ? MovedEdges{false, true} : MovedEdges{true, false};
    case Handle::Right:
        return axis == Axis::X ? MovedEdges{false, true} : MovedEdges{};
    case Handle::BottomRight:
        return {false, true};
    case Handle::Bottom:
        return axis == Axis::Y ? MovedEdges{false, true} : MovedEdges{};
    case Handle::BottomLeft:
        return axis == Axis::X ? MovedEdges{true, false} : MovedEdges{false, true};
    case Handle::Left:
        return axis == Axis::X ? MovedEdges{true, false} : MovedEdges{};
    }
    return {};
}

} // namespace

std::vector<float> snapLines(const SnapTargets& targets, Axis axis) {
    std::vector<float> lines;
    lines.reserve(targets.objects.size() * 3 + 2);
    for (const PlanBox& object : targets.objects) {
        const Span s = span(object, axis);
        lines.insert(lines.end(), {s.start, s.start + s.size / 2, s.end()});
    }
    if (targets.picture) {
        const Span s = span(*targets.picture, axis);
        lines.insert(lines.end(), {s.start, s.end()});
    }
    return lines;
}

Snapped snapMove(const PlanBox& box, const SnapTargets& targets, float distance) {
    Snapped result{box, {}};
    for (const Axis axis : {Axis::X, Axis::Y}) {
        const std::vector<float> lines = snapLines(targets, axis);
        Span s = span(box, axis);
        const auto boxLines = [&s] {
            return std::vector<float>{s.start, s.start + s.size / 2, s.end()};
        };
        if (const auto pull = nearestPull(boxLines(), lines, distance))
            s.start += *pull;
        setSpan(result.box, axis, s);
        addGuides(result.guides, axis, boxLines(), lines);
    }
    return result;
}

Snapped snapResize(const PlanBox& box, Handle handle, const SnapTargets& targets, float distance) {
    Snapped result{box, {}};
    for (const Axis axis : {Axis::X, Axis::Y}) {
        const MovedEdges moved = movedEdges(handle, axis);
        if (!moved.start && !moved.end)
            continue;
        const std::vector<float> lines = snapLines(targets, axis);
        Span s = span(box, axis);
        const float edge = moved.start ? s.start : s.end();
        if (const auto pull = nearestPull({edge}, lines, distance)) {
            const float size = moved.start ? s.size - *pull : s.size + *pull;
            if (size >= 0) {
                if (moved.start)
                    s.start += *pull;
                s.size = size;
            }
        }
        setSpan(result.box, axis, s);
        addGuides(result.guides, axis, {moved.start ? s.start : s.end()}, lines);
    }
    return result;
}

Gaps gapsAround(const PlanBox& box, const SnapTargets& targets) {
    // On an axis, the gaps before the box's start and after its end, from the objects that
    // overlap it across that axis.
    const auto gapsAlong = [&](Axis axis) {
        const Axis across = axis == Axis::X ? Axis::Y : Axis::X;
        const Span s = span(box, axis), c = span(box, across);
        std::optional<float> before, after;
        const auto keep = [](std::optional<float>& gap, float value) {
            if (value > -kSameLine && (!gap || value < *gap))
                gap = std::max(value, 0.f);
        };
        for (const PlanBox& object : targets.objects) {
            const Span o = span(object, axis), oc = span(object, across);
            if (!(oc.start < c.end() - kSameLine && oc.end() > c.start + kSameLine))
                continue;
            keep(before, s.start - o.end());
            keep(after, o.start - s.end());
        }
        if (targets.picture) {
            const Span p = span(*targets.picture, axis);
            keep(before, s.start - p.start);
            keep(after, p.end() - s.end());
        }
        return std::pair{before, after};
    };
    Gaps gaps;
    std::tie(gaps.left, gaps.right) = gapsAlong(Axis::X);
    std::tie(gaps.top, gaps.bottom) = gapsAlong(Axis::Y);
    return gaps;
}

} // namespace editor
