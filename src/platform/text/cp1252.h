#pragma once
// Strings inside the program are single-byte Windows-1252, as the original's were. Files on
// disk are UTF-8; these helpers convert at the edges (and find glyphs for drawing).

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace q71 {

/// The Unicode code point of one Windows-1252 byte.
char32_t cp1252ToUnicode(unsigned char byte);

/// The Windows-1252 byte of a code point, or nothing when the code page has none.
std::optional<unsigned char> unicodeToCp1252(char32_t codePoint);

/// Decodes the UTF-8 sequence at `pos` (below the text's size) and moves `pos` past it; false
/// (and `pos` unmoved) on a malformed, overlong or cut sequence.
bool utf8NextCodePoint(std::string_view utf8, size_t& pos, char32_t& codePoint);

/// Converts UTF-8 to Windows-1252. Returns false (and leaves `out` unspecified) on malformed
/// UTF-8 or a character the code page lacks; `errorOffset` then holds the byte offset.
bool utf8ToCp1252(std::string_view utf8, std::string& out, size_t& errorOffset);

/// Converts Windows-1252 to UTF-8 (always possible).
std::string cp1252ToUtf8(std::string_view cp1252);

/// The small letter of a Windows-1252 capital (accented ones included); other bytes as they are.
unsigned char cp1252ToLower(unsigned char byte);
/// True when the strings differ at most in the case of their letters.
bool cp1252EqualNoCase(std::string_view a, std::string_view b);

} // namespace q71
