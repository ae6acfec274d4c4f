#pragma once
// The lines of a multi-line text as a field shows them: a line ends at each "\r\n" (which
// belongs to no line) and wraps before a word that would pass the field's width (a number's
// groups of figures holding together, as textBreaksAt says), or inside a word longer than the
// whole width.

#include <cstddef>
#include <functional>
#include <string_view>
#include <vector>

namespace q71 {

/// The bytes [start, end) of the text on one line.
struct TextLine {
    std::size_t start = 0;
    std::size_t end = 0;
    friend bool operator==(const TextLine&, const TextLine&) = default;
};

/// Lays the text out in lines at most `width` pixels wide (`measure` gives a run's width); an
/// empty text is one empty line. Every byte but the breaks lies on exactly one line.
std::vector<TextLine> textLinesLayout(std::string_view text, int width,
                                      const std::function<int(std::string_view)>& measure);

/// The line a caret at `index` stands on: at a soft wrap the later line, at a hard break the
/// earlier one (the caret sits at its end).
std::size_t textLineOf(const std::vector<TextLine>& lines, std::size_t index);

} // namespace q71
