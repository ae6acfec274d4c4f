#pragma once
// Where a line of text may break: at a space, but not inside a number written in groups of
// figures ("1 000"), which stays whole on its line. Every wrapper of the program asks here.

#include <cstddef>
#include <string_view>

namespace q71 {

/// Whether a line may break at byte `index` of a text: a space without a figure on each side.
bool textBreaksAt(std::string_view text, std::size_t index);
/// The first byte at or after `from` where a line may break; npos when none.
std::size_t textNextBreak(std::string_view text, std::size_t from);
/// The last byte before `before`, and at or after `from`, where a line may break; npos when none.
std::size_t textLastBreak(std::string_view text, std::size_t from, std::size_t before);

} // namespace q71
