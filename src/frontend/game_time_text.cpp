#include "frontend/game_time_text.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace q71 {

std::string gameTimeText(double gameSeconds) {
    // Past a hundred thousand hours the text would only grow; the clock holds there.
    constexpr double kLongest = 359999999.0;
    const long total = std::isfinite(gameSeconds) && gameSeconds > 0.0
                           ? static_cast<long>(std::min(gameSeconds, kLongest))
                           : 0;
    char text[32];
    std::snprintf(text, sizeof text, "%02ld:%02ld:%02ld", total / 3600, total / 60 % 60, total % 60);
    return text;
}

} // namespace q71
