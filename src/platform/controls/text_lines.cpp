#include "platform/controls/text_lines.h"

#include "platform/text/line_breaks.h"

namespace q71 {

std::vector<TextLine> textLinesLayout(std::string_view text, int width,
                                      const std::function<int(std::string_view)>& measure) {
    std::vector<TextLine> lines;
    std::size_t paragraph = 0;
    while (true) {
        std::size_t breakAt = text.find("\r\n", paragraph);
        const std::size_t paragraphEnd = breakAt == std::string_view::npos ? text.size() : breakAt;
        std::size_t start = paragraph;
        do {
            // The longest run from start that fits, cut after a space where a line may break
            // when there is one.
            std::size_t end = start;
            while (end < paragraphEnd && measure(text.substr(start, end + 1 - start)) <= width)
                ++end;
            if (end < paragraphEnd) {
                const std::size_t space = textLastBreak(text, start + 1, end);
                if (space != std::string_view::npos)
                    end = space + 1;
                else if (end == start)
                    end = start + 1; // not even one character fits: it stands alone
            }
            lines.push_back({start, end});
            start = end;
        } while (start < paragraphEnd);
        if (breakAt == std::string_view::npos)
            break;
        paragraph = breakAt + 2;
    }
    return lines;
}

std::size_t textLineOf(const std::vector<TextLine>& lines, std::size_t index) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const bool lastOrBreak = i + 1 == lines.size() || lines[i + 1].start != lines[i].end;
        if (index < lines[i].end || (index == lines[i].end && lastOrBreak))
            return i;
    }
    return lines.empty() ? 0 : lines.size() - 1;
}

} // namespace q71
