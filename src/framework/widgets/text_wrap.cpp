#include "framework/widgets/text_wrap.h"

#include "platform/text/line_breaks.h"

#include <algorithm>

namespace q71 {
namespace {

// The length of the longest head of `line` no wider than `wrapWidth`, at least 1.
std::size_t longestFittingHead(std::string_view line, int wrapWidth,
                               const std::function<int(std::string_view)>& width) {
    std::size_t low = 1, high = line.size();
    while (low < high) {
        std::size_t middle = (low + high + 1) / 2;
        if (width(line.substr(0, middle)) <= wrapWidth)
            low = middle;
        else
            high = middle - 1;
    }
    return low;
}

void wrapLine(std::string_view line, int wrapWidth, const std::function<int(std::string_view)>& width,
              std::vector<std::string>& out) {
    if (std::size_t marker = line.find("_#"); marker != std::string_view::npos) {
        out.emplace_back(line.substr(0, marker));
        return;
    }
    const std::size_t before = out.size();
    while (!line.empty() && width(line) > wrapWidth) {
        const LineBreak cut = breakLine(line, wrapWidth, width);
        out.emplace_back(line.substr(0, cut.headEnd));
        line.remove_prefix(cut.restStart);
    }
    // What the breaks leave follows as a line of its own, unless they left nothing.
    if (!line.empty() || out.size() == before)
        out.emplace_back(line);
}

} // namespace

LineBreak breakLine(std::string_view line, int wrapWidth, const std::function<int(std::string_view)>& width) {
    // A break leaves a head of at least one byte.
    for (std::size_t space = textLastBreak(line, 1, line.size()); space != std::string_view::npos;
         space = textLastBreak(line, 1, space)) {
        if (width(line.substr(0, space)) <= wrapWidth)
            return {space, space + 1};
    }
    const std::size_t head = longestFittingHead(line, wrapWidth, width);
    return {head, head};
}

std::vector<std::string> wrapTextLines(std::string_view text, int wrapWidth,
                                       const std::function<int(std::string_view)>& width) {
    std::string copy(text);
    std::replace(copy.begin(), copy.end(), '\r', ' ');
    const std::string_view all = copy;
    std::vector<std::string> out;
    std::size_t pos = 0;
    while (true) {
        std::size_t end = std::min(all.find('\n', pos), all.size());
        wrapLine(all.substr(pos, end - pos), wrapWidth, width, out);
        if (end == all.size())
            break;
        pos = end + 1;
        if (pos < all.size() && all[pos] == '\n')
            ++pos;
        if (pos >= all.size())
            break;
    }
    return out;
}

} // namespace q71
