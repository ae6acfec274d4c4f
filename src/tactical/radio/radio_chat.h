#pragma once
// The chat line of a network game: what the player typed goes to the other players in pieces
// of at most 80 characters, each ending after the last run of delimiters that fits, else at 80.

#include <string>
#include <string_view>
#include <vector>

namespace q71 {

inline constexpr std::size_t kChatPieceLimit = 80;

/// The pieces a text is sent in; `delimiters` are the characters a piece may end after (text 611).
std::vector<std::string> chatPieces(std::string_view text, std::string_view delimiters);

} // namespace q71
