#include "platform/gdi/polygon_fill.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace q71 {

void forEachPolygonSpan(std::span<const Point> points, PolygonFillMode mode, const Rect& window,
                        const std::function<void(int, int, int)>& span) {
    if (points.size() < 3)
        return;
    auto [low, high] = std::minmax_element(points.begin(), points.end(),
                                           [](const Point& a, const Point& b) { return a.y < b.y; });
    struct Crossing {
        double x;
        int direction;
    };
    std::vector<Crossing> crossings;
    int first = std::max(low->y, window.top), last = std::min(high->y, window.bottom);
    for (int y = first; y < last; ++y) {
        crossings.clear();
        for (size_t i = 0; i < points.size(); ++i) {
            Point a = points[i], b = points[(i + 1) % points.size()];
            if (a.y == b.y)
                continue;
            int direction = a.y < b.y ? 1 : -1;
            if (direction < 0)
                std::swap(a, b);
            // Half-open in y: the top end of an edge counts, the bottom end does not.
            if (y < a.y || y >= b.y)
                continue;
            double x = a.x + static_cast<double>(y - a.y) * (static_cast<double>(b.x) - a.x) /
                                 (static_cast<double>(b.y) - a.y);
            crossings.push_back({x, direction});
        }
        std::sort(crossings.begin(), crossings.end(),
                  [](const Crossing& a, const Crossing& b) { return a.x < b.x; });
        int winding = 0;
        for (size_t i = 0; i + 1 < crossings.size(); ++i) {
            winding += crossings[i].direction;
            bool inside = mode == PolygonFillMode::Alternate ? (i % 2 == 0) : winding != 0;
            if (!inside)
                continue;
            // Runs are cut to the window before they become pixel numbers.
            double left = std::max(std::ceil(crossings[i].x), static_cast<double>(window.left));
            double right = std::min(std::ceil(crossings[i + 1].x), static_cast<double>(window.right));
            int from = static_cast<int>(left), to = static_cast<int>(right);
            if (from < to)
                span(y, from, to);
        }
    }
}

} // namespace q71
