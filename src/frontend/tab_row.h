#pragma once
// The row of page tabs under the title of the front end's paged screens (options, debriefing).

#include <array>

namespace q71::tab_row {

inline constexpr std::array<int, 3> kTabX{40, 230, 420};
inline constexpr int kTabY = 64;
inline constexpr int kTabWidth = 180;
inline constexpr int kTabHeight = 32;

} // namespace q71::tab_row
