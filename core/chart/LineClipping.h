#pragma once
// Clipping a line segment to a rectangle in double precision, so that points
// far outside the drawing (even near the largest double) reach the painter as
// the part of the line that is visible, never as overflowed integers.

struct ClipRect {
    double left = 0;
    double top = 0;
    double right = 0;  // right >= left
    double bottom = 0; // bottom >= top
};

struct Segment {
    double x1 = 0;
    double y1 = 0;
    double x2 = 0;
    double y2 = 0;
};

// Cuts `segment` down to the part inside `rect` (edges included) and returns
// true, or returns false when no part of it lies inside. Any finite
// coordinates are handled without overflow; a segment with a NaN or infinite
// coordinate has no defined direction and is rejected.
bool clipSegment(Segment& segment, const ClipRect& rect);
