#include "frontend/books/book_page.h"

#include "framework/resources/registry.h"
#include "frontend/player_file_name.h"
#include "frontend/text_lines.h"
#include "sim/scoring/player_files.h"

namespace q71 {

std::string bookPageFileName(std::string_view key, std::string_view page) {
    std::string name(key);
    if (!page.empty())
        name.append("-").append(page);
    return safeFileStem(name) + ".txt";
}

std::optional<std::vector<std::string>> bookPageParse(std::span<const std::uint8_t> bytes) {
    TextLines text = textLinesParse(bytes, kBookPageMaxBytes);
    if (text.status != TextLinesStatus::Ok)
        return std::nullopt;
    return std::move(text.lines);
}

std::optional<std::vector<std::string>> bookPageRead(const std::string& fileName) {
    std::vector<std::uint8_t> bytes;
    if (!fileReadContents(std::string(booksInstallPath) + "/" + fileName, bytes))
        return std::nullopt;
    return bookPageParse(bytes);
}

} // namespace q71
