#include "platform/gdi/text_layout.h"

#include <cstdlib>

namespace q71 {

TextRun layoutTabbed(const Font& font, std::string_view text, std::span<const int> tabStops, int origin) {
    TextRun run;
    int x = 0;
    auto nextStop = [&](int from) {
        if (tabStops.size() <= 1) {
            int step = tabStops.empty() ? 8 * font.metrics().aveCharWidth : std::abs(tabStops[0]);
            if (step <= 0)
                return from;
            int relative = from - origin;
            int k = relative < 0 ? 0 : relative / step + 1;
            return origin + k * step;
        }
        for (int stop : tabStops)
            if (origin + std::abs(stop) > from)
                return origin + std::abs(stop);
        // Past the last stop, stops go on at the last interval.
        int last = std::abs(tabStops.back()), step = last - std::abs(tabStops[tabStops.size() - 2]);
        if (step <= 0)
            return from;
        int k = (from - origin - last) / step + 1;
        return origin + last + k * step;
    };
    size_t start = 0;
    while (true) {
        size_t tab = text.find('\t', start);
        std::string_view piece =
            text.substr(start, tab == std::string_view::npos ? std::string_view::npos : tab - start);
        if (!piece.empty())
            run.pieces.push_back({std::string(piece), x, -1, static_cast<int>(start)});
        x += font.textWidth(piece);
        if (tab == std::string_view::npos)
            break;
        x = std::max(nextStop(x), x);
        start = tab + 1;
    }
    run.width = x;
    return run;
}

} // namespace q71
