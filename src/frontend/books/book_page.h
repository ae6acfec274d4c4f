#pragma once
// The books' French pages: one text file per page in the books folder of the install
// (`booksInstallPath`, "books"), named after the object record's key ("Akula.txt") or, for the
// own boat's pages of the ship book, the key and the page ("Q71i-postes.txt"). A page is
// Windows-1252 text, one paragraph a line (text_lines.h); a missing, damaged or oversized page
// reads as none.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace q71 {

/// The largest page read.
inline constexpr std::size_t kBookPageMaxBytes = 16384;

/// The own boat's pages of the ship book, after its key.
inline constexpr std::string_view kStationsPage = "postes";
inline constexpr std::string_view kWeaponsPage = "armes";

/// The file name of a record's page ("Akula.txt"), or of one of its named pages
/// ("Q71i-postes.txt"); characters other than letters, digits and '-' become '_'.
std::string bookPageFileName(std::string_view key, std::string_view page = {});

/// A page's paragraphs from its bytes; nothing when they are not a page.
std::optional<std::vector<std::string>> bookPageParse(std::span<const std::uint8_t> bytes);
/// A page of the books folder by its file name; nothing when it is missing or not a page.
std::optional<std::vector<std::string>> bookPageRead(const std::string& fileName);

} // namespace q71
