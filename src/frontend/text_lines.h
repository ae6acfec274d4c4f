#pragma once
// Text files the front end reads line by line (the captain's log, the books' pages): Windows-1252
// text, each line ended by '\n' (a '\r' before it is taken, the last line may go without one).
// A control byte other than the tab, or a NUL, means the file is not such text: it is refused whole.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace q71 {

enum class TextLinesStatus {
    Ok,
    Damaged,  ///< a byte that is not text
    TooLarge, ///< above the reader's limit
};

struct TextLines {
    TextLinesStatus status = TextLinesStatus::Ok;
    std::vector<std::string> lines; ///< empty unless Ok
};

/// The lines a file's bytes hold, when they are text of at most `maxBytes`.
TextLines textLinesParse(std::span<const std::uint8_t> bytes, std::size_t maxBytes);
/// True for the bytes a line may hold: the tab and everything from the space up.
constexpr bool isLineText(std::uint8_t b) {
    return b >= 0x20 || b == '\t';
}

} // namespace q71
