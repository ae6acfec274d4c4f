#include "platform/gdi/polygon_fill.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace q71 {

void forEachPolygonSpan(std::span<const Point> points, PolygonFillMode mode,
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
    for (int y = low->y; y < high->y; ++y) {
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
            double x = a.x + static_cast<double>(y - a.y) * (b.x - a.x) / (b.y - a.y);
            crossings.push_back({x, direction});
        }
        std::sort(crossings.begin(), crossings.end(), [](const Crossing& a, const Crossing& b) { return a.x < b.x; });
        int winding = 0;
        for (size_t i = 0; i + 1 < crossings.size(); ++i) {
            winding += crossings[i].direction;
            bool inside = mode == PolygonFillMode::Alternate ? (i % 2 == 0) : winding != 0;
            if (!inside)
                continue;
            int from = static_cast<int>(std::ceil(crossings[i].x)), to = static_cast<int>(std::ceil(crossings[i + 1].x));
            if (from < to)
                span(y, from, to);
        }
    }
}

} // namespace q71
