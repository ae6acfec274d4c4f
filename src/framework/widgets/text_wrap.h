#pragma once
// How a text box breaks a text into its lines.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace q71 {

/// Where a line too wide for `wrapWidth` breaks: at its last space that leaves a head that fits
/// (the space dropped; not inside a number's groups of figures, as textBreaksAt says), else after
/// the longest head that fits (at least one character).
struct LineBreak {
    std::size_t headEnd;   ///< the head is line[0, headEnd)
    std::size_t restStart; ///< the rest starts there
};
LineBreak breakLine(std::string_view line, int wrapWidth, const std::function<int(std::string_view)>& width);

/// Breaks a text into lines no wider than `wrapWidth` as `width` measures them. Carriage returns
/// count as spaces and line feeds end lines; one blank line between two lines is dropped (two give
/// one). A line holding the marker "_#" keeps only what stands before it, unwrapped. A wide line
/// breaks as breakLine says.
std::vector<std::string> wrapTextLines(std::string_view text, int wrapWidth,
                                       const std::function<int(std::string_view)>& width);

} // namespace q71
