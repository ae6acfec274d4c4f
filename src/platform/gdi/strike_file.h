#pragma once
// Strike files: faces drawn pixel by pixel for the sizes they serve, as the data set's font file
// holds them for the interface's small texts. A strike is one face (its name and weight) at one
// size, with its cell (ascent and descent) and a one-bit glyph for each character it draws.
//
// Layout, little-endian: the 8 bytes "q71strk1", a 16-bit strike count, then each strike: the
// face name (one byte of length, 1 to 31, then its bytes), 16-bit weight, one byte each of the
// size in pixels, ascent, descent and flags (bit 0: fixed pitch), a 16-bit glyph count, then each
// glyph: its 32-bit character (ascending), one byte of advance, signed bytes of left and top
// (the ink box's top-left corner from the pen on the baseline, top counted upwards), bytes of
// width and height, and its rows, each of (width + 7) / 8 bytes, the leftmost pixel in the high
// bit. A glyph for character 0 stands for every character the strike lacks.

#include "platform/gdi/font.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace q71 {

/// One character of a strike: its glyph, its ink box cut to the ink.
struct StrikeGlyph {
    char32_t character = 0;
    Glyph glyph;
};

/// One face at one size.
struct Strike {
    std::string face;
    int weight = kFontWeightNormal;
    int pixels = 0; ///< the character height (em) it is drawn for
    int ascent = 0;
    int descent = 0;
    bool fixedPitch = false;
    std::vector<StrikeGlyph> glyphs; ///< by ascending character

    /// The glyph of a character: its own, else the one for character 0, else none.
    const Glyph* glyphFor(char32_t character) const;
};

/// Whether the bytes begin as a strike file does (the file may still be damaged).
bool strikeFileLooksLikeOne(std::span<const std::uint8_t> bytes);
/// The strikes of a file; nullopt, with the reason in `error`, when the bytes are not a whole,
/// well-formed strike file.
std::optional<std::vector<Strike>> strikeFileDecode(std::span<const std::uint8_t> bytes, std::string& error);
/// The file that holds the strikes (each glyph's mask is written as it stands).
std::vector<std::uint8_t> strikeFileEncode(const std::vector<Strike>& strikes);

} // namespace q71
