#include "frontend/text_lines.h"

namespace q71 {

TextLines textLinesParse(std::span<const std::uint8_t> bytes, std::size_t maxBytes) {
    if (bytes.size() > maxBytes)
        return {TextLinesStatus::TooLarge, {}};
    TextLines text;
    std::string line;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const std::uint8_t b = bytes[i];
        if (b == '\n') {
            text.lines.push_back(std::move(line));
            line.clear();
        } else if (b == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') {
            continue;
        } else if (isLineText(b)) {
            line.push_back(static_cast<char>(b));
        } else {
            return {TextLinesStatus::Damaged, {}};
        }
    }
    if (!line.empty())
        text.lines.push_back(std::move(line));
    return text;
}

} // namespace q71
