#include "ClipSegment.h"

namespace humichart {

namespace {

bool Inside(double x, double y, const RectD& r) {
    return x >= r.x && x <= r.Right() && y >= r.y && y <= r.Bottom();
}

// Moves (x, y) onto the rectangle along the line towards (ox, oy), edge by
// edge. Fails when (x, y) lies outside an edge the other end does not reach.
bool MoveOnto(double& x, double& y, double ox, double oy, const RectD& r) {
    if (x < r.x) {
        if (ox < r.x) return false;
        y += (r.x - x) * (oy - y) / (ox - x);
        x = r.x;
    }
    if (x > r.Right()) {
        if (ox > r.Right()) return false;
        y += (r.Right() - x) * (oy - y) / (ox - x);
        x = r.Right();
    }
    if (y < r.y) {
        if (oy < r.y) return false;
        x += (r.y - y) * (ox - x) / (oy - y);
        y = r.y;
    }
    if (y > r.Bottom()) {
        if (oy > r.Bottom()) return false;
        x += (r.Bottom() - y) * (ox - x) / (oy - y);
        y = r.Bottom();
    }
    return true;
}

}  // namespace

bool ClipSegment(double& x1, double& y1, double& x2, double& y2, const RectD& rect) {
    if (Inside(x1, y1, rect) && Inside(x2, y2, rect)) return true;
    if ((x1 < rect.x && x2 < rect.x) || (x1 > rect.Right() && x2 > rect.Right()) ||
        (y1 < rect.y && y2 < rect.y) || (y1 > rect.Bottom() && y2 > rect.Bottom()))
        return false;
    if (!MoveOnto(x1, y1, x2, y2, rect)) return false;
    if (!MoveOnto(x2, y2, x1, y1, rect)) return false;
    return Inside(x1, y1, rect) && Inside(x2, y2, rect);
}

}  // namespace humichart
