#include "tactical/radio/radio_chat.h"

namespace q71 {

std::vector<std::string> chatPieces(std::string_view text, std::string_view delimiters) {
    std::vector<std::string> pieces;
    while (!text.empty()) {
        std::size_t cut = text.size();
        if (cut > kChatPieceLimit) {
            cut = kChatPieceLimit;
            const std::size_t last = delimiters.empty()
                                         ? std::string_view::npos
                                         : text.substr(0, kChatPieceLimit).find_last_of(delimiters);
            if (last != std::string_view::npos)
                cut = last + 1;
        }
        pieces.emplace_back(text.substr(0, cut));
        text.remove_prefix(cut);
    }
    return pieces;
}

} // namespace q71
