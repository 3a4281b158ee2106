#include "chart/LineClipping.h"

#include <algorithm>
#include <cmath>

namespace {

enum class Edge { None, Left, Right, Top, Bottom };

// Liang-Barsky on halved coordinates: the difference of two halved doubles
// never overflows, and halving p and q together leaves their ratio unchanged.
struct Clipper {
    double enter = 0;
    double leave = 1;
    Edge enterEdge = Edge::None;
    Edge leaveEdge = Edge::None;

    bool cut(double p, double q, Edge edge) {
        if (p == 0)
            return q >= 0; // parallel to this edge: inside or wholly outside
        const double t = q / p;
        if (p < 0) {
            if (t > leave)
                return false;
            if (t > enter) {
                enter = t;
                enterEdge = edge;
            }
        } else {
            if (t < enter)
                return false;
            if (t < leave) {
                leave = t;
                leaveEdge = edge;
            }
        }
        return true;
    }
};

// The coordinate at parameter t, exact on the edge that set t; halved steps
// keep the sum finite, since the result lies between the start and the rectangle.
double pointAt(double start, double end, double halfDelta, double t, Edge edge, Edge low, Edge high,
               double lowValue, double highValue) {
    if (edge == low)
        return lowValue;
    if (edge == high)
        return highValue;
    if (t == 0)
        return start;
    if (t == 1)
        return end;
    return start + t * halfDelta + t * halfDelta;
}

} // namespace

bool clipSegment(Segment& segment, const ClipRect& rect) {
    if (!std::isfinite(segment.x1) || !std::isfinite(segment.y1) || !std::isfinite(segment.x2) ||
        !std::isfinite(segment.y2))
        return false;

    const double hx1 = segment.x1 * 0.5;
    const double hy1 = segment.y1 * 0.5;
    const double dx = segment.x2 * 0.5 - hx1;
    const double dy = segment.y2 * 0.5 - hy1;

    Clipper clipper;
    if (!clipper.cut(-dx, hx1 - rect.left * 0.5, Edge::Left) ||
        !clipper.cut(dx, rect.right * 0.5 - hx1, Edge::Right) ||
        !clipper.cut(-dy, hy1 - rect.top * 0.5, Edge::Top) ||
        !clipper.cut(dy, rect.bottom * 0.5 - hy1, Edge::Bottom))
        return false;

    const Segment whole = segment;
    const auto at = [&](double t, Edge edge, double& x, double& y) {
        x = pointAt(whole.x1, whole.x2, dx, t, edge, Edge::Left, Edge::Right, rect.left, rect.right);
        y = pointAt(whole.y1, whole.y2, dy, t, edge, Edge::Top, Edge::Bottom, rect.top, rect.bottom);
        // Only rounding can leave the rectangle here; keep the result inside it.
        x = std::clamp(x, rect.left, rect.right);
        y = std::clamp(y, rect.top, rect.bottom);
    };
    at(clipper.enter, clipper.enterEdge, segment.x1, segment.y1);
    at(clipper.leave, clipper.leaveEdge, segment.x2, segment.y2);
    return true;
}
