#include "tactical/charts/map_drawing.h"

#include "platform/gdi/device_context.h"

#include <array>
#include <cmath>

namespace q71 {
namespace {

constexpr int kInside = 0, kLeft = 1, kRight = 2, kTop = 4, kBottom = 8;
// The head's length along the leg and its half width, in pixels.
constexpr double kHeadLength = 8.0;
constexpr double kHeadHalfWidth = 4.0;

int outcode(const Rect& r, double x, double y) {
    int code = kInside;
    if (x < r.left)
        code |= kLeft;
    else if (x > r.right - 1)
        code |= kRight;
    if (y < r.top)
        code |= kTop;
    else if (y > r.bottom - 1)
        code |= kBottom;
    return code;
}

} // namespace

bool clipLineToClient(const Rect& client, int& x1, int& y1, int& x2, int& y2) {
    if (client.right <= client.left || client.bottom <= client.top)
        return false;
    double ax = x1, ay = y1, bx = x2, by = y2;
    int codeA = outcode(client, ax, ay), codeB = outcode(client, bx, by);
    const double left = client.left, right = client.right - 1, top = client.top, bottom = client.bottom - 1;
    // Cohen-Sutherland: each pass moves one outside end onto the edge it lies beyond.
    while (codeA | codeB) {
        if (codeA & codeB)
            return false;
        const int code = codeA ? codeA : codeB;
        double x = 0, y = 0;
        if (code & kTop) {
            x = ax + (bx - ax) * (top - ay) / (by - ay);
            y = top;
        } else if (code & kBottom) {
            x = ax + (bx - ax) * (bottom - ay) / (by - ay);
            y = bottom;
        } else if (code & kRight) {
            y = ay + (by - ay) * (right - ax) / (bx - ax);
            x = right;
        } else {
            y = ay + (by - ay) * (left - ax) / (bx - ax);
            x = left;
        }
        if (code == codeA) {
            ax = x;
            ay = y;
            codeA = outcode(client, std::round(ax), std::round(ay));
        } else {
            bx = x;
            by = y;
            codeB = outcode(client, std::round(bx), std::round(by));
        }
    }
    x1 = static_cast<int>(std::lround(ax));
    y1 = static_cast<int>(std::lround(ay));
    x2 = static_cast<int>(std::lround(bx));
    y2 = static_cast<int>(std::lround(by));
    return true;
}

void drawArrowHead(DeviceContext& dc, int x1, int y1, int x2, int y2) {
    const double dx = x2 - x1, dy = y2 - y1;
    const double length = std::hypot(dx, dy);
    if (length == 0.0)
        return;
    const double ux = dx / length, uy = dy / length;
    const double baseX = x2 - ux * kHeadLength, baseY = y2 - uy * kHeadLength;
    const std::array<Point, 3> head{
        Point{x2, y2},
        Point{static_cast<int>(std::lround(baseX - uy * kHeadHalfWidth)),
              static_cast<int>(std::lround(baseY + ux * kHeadHalfWidth))},
        Point{static_cast<int>(std::lround(baseX + uy * kHeadHalfWidth)),
              static_cast<int>(std::lround(baseY - ux * kHeadHalfWidth))},
    };
    dc.polygon(head);
}

} // namespace q71
