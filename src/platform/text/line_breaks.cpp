#include "platform/text/line_breaks.h"

#include <algorithm>

namespace q71 {
namespace {

bool isFigure(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

bool textBreaksAt(std::string_view text, std::size_t index) {
    if (index >= text.size() || text[index] != ' ')
        return false;
    const bool figureBefore = index > 0 && isFigure(text[index - 1]);
    const bool figureAfter = index + 1 < text.size() && isFigure(text[index + 1]);
    return !(figureBefore && figureAfter);
}

std::size_t textNextBreak(std::string_view text, std::size_t from) {
    for (std::size_t space = text.find(' ', from); space != std::string_view::npos;
         space = text.find(' ', space + 1))
        if (textBreaksAt(text, space))
            return space;
    return std::string_view::npos;
}

std::size_t textLastBreak(std::string_view text, std::size_t from, std::size_t before) {
    for (std::size_t index = std::min(before, text.size()); index > from;) {
        --index;
        if (textBreaksAt(text, index))
            return index;
    }
    return std::string_view::npos;
}

} // namespace q71
