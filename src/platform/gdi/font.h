#pragma once
// Fonts from the description the program gives (face name, height in pixels, weight, italic,
// character set, pitch and family). A face and size that a strike file the program added draws
// (the small sizes of the interface faces) comes from its strike, glyphs made pixel by pixel for
// that size; any other from the outlines of the installed free fonts, rasterised one bit deep.
// Either way the same pixels come out every time. Strings are Windows-1252 bytes; glyphs are
// cached per byte.

#include "platform/gdi/pen_brush.h"
#include "platform/geometry/rect.h"

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace q71 {

/// Weights, character sets and pitch and family bits, by the window system's numbers.
constexpr int kFontWeightNormal = 400;
constexpr int kFontWeightBold = 700;
constexpr int kFixedPitch = 1;
constexpr int kVariablePitch = 2;
constexpr int kFamilyRoman = 0x10;
constexpr int kFamilySwiss = 0x20;
constexpr int kFamilyModern = 0x30;
/// Bits of `TextMetrics::pitchAndFamily`: a variable pitch, and a scalable face drawn from outlines
/// (vector and TrueType); a strike has neither of the last two.
constexpr int kMetricsVariablePitch = 0x01;
constexpr int kMetricsScalable = 0x02 | 0x04;
/// The character height in pixels of a font asked for with a height of 0.
constexpr int kDefaultFontPixels = 12;
/// The largest height a font is made at, either way (a cell or a character height); larger ones
/// are held to it, so that metrics and the layouts built on them stay far from overflow.
constexpr int kLargestFontPixels = 1000;

/// What the program asks for.
struct LogFont {
    /// Negative: the character height (em) in pixels; positive: the cell height (ascent +
    /// descent); 0: a default size.
    int height = 0;
    int width = 0;
    int escapement = 0;
    int orientation = 0;
    int weight = 0; ///< 0 = normal
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    int charSet = 0;
    int outPrecision = 0;
    int clipPrecision = 0;
    int quality = 0;
    int pitchAndFamily = 0;
    std::string faceName; ///< at most 31 characters are used
};

/// Sizes of a font in pixels, as the text calls report them.
struct TextMetrics {
    int height = 0;
    int ascent = 0;
    int descent = 0;
    int internalLeading = 0;
    int externalLeading = 0;
    int aveCharWidth = 0;
    int maxCharWidth = 0;
    int weight = 0;
    int overhang = 0;
    int firstChar = 0x20;
    int lastChar = 0xFF;
    int defaultChar = 0x1F;
    int breakChar = 0x20;
    bool italic = false;
    bool underlined = false;
    bool struckOut = false;
    int pitchAndFamily = 0;
    int charSet = 0;
};

/// One rendered glyph: `mask` holds width x height bytes (1 = ink), placed with its top-left
/// corner at (pen x + left, baseline - top).
struct Glyph {
    int advance = 0;
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> mask;
    /// The first and last columns of `mask` that hold ink (last below first when it holds none),
    /// found once when the font renders the glyph.
    int inkFirst = 0;
    int inkLast = -1;
};

class GlyphSource;

class Font {
public:
    /// The font nearest to the description; null only when no font file at all can be opened.
    static std::shared_ptr<const Font> create(const LogFont& description);
    ~Font();

    const LogFont& description() const { return description_; }
    const TextMetrics& metrics() const { return metrics_; }
    /// The family name of the face actually used.
    const std::string& familyName() const { return family_; }
    /// The rendered glyph of a Windows-1252 byte.
    const Glyph& glyph(std::uint8_t ch) const;
    /// Width in pixels of a run of bytes.
    int textWidth(std::string_view text) const;
    /// Extra pixels kept after byte `index` of a text, before the next one, so that small text
    /// drawn from outlines reads as its words and letters: two figures side by side, an "r" or an
    /// "l" and what follows it, and an apostrophe and either neighbour keep a blank column between
    /// their inks (else "4973" runs into one blot, "rn" reads "m", "le" "k", "n'est" "nest"); a
    /// space between two inked bytes leaves more blank columns than any two letters of a word do,
    /// and at least two. Other bytes keep the face's own spacing; a fixed-pitch face keeps its
    /// pitch and a strike its own advances.
    int spaceAfter(std::string_view text, std::size_t index) const;
    /// How far the pen moves past byte `index` of a text: its advance and the space before the next byte.
    int stepAfter(std::string_view text, std::size_t index) const;
    /// Where the pen stands to draw byte `index` of a text; the text's width when `index` is its size.
    int penAt(std::string_view text, std::size_t index) const;
    /// Where a text's glyphs put ink when it is drawn with its cell's top left at (0, 0): from its
    /// first to its last inked column, over the rows of its inked glyphs; empty when it has no ink.
    Rect inkBounds(std::string_view text) const;
    /// Where an underline and a strike-out line lie below (+) or above (-) the baseline, and how thick.
    int underlineOffset() const { return underlineOffset_; }
    int strikeOutOffset() const { return strikeOutOffset_; }
    int lineThickness() const { return lineThickness_; }

private:
    /// The least blank columns a word space leaves between two inks.
    int wordGap() const;

    Font() = default;

    LogFont description_;
    TextMetrics metrics_;
    std::string family_;
    int underlineOffset_ = 1;
    int strikeOutOffset_ = 0;
    int lineThickness_ = 1;
    bool keepsAdvances_ = false;
    std::unique_ptr<const GlyphSource> source_;
    mutable std::once_flag wordGapFound_;
    mutable int wordGap_ = 0;
    mutable std::vector<std::unique_ptr<Glyph>> glyphs_ = std::vector<std::unique_ptr<Glyph>>(256);
};

using FontRef = std::shared_ptr<const Font>;

/// The font to write a one-line text in within a width: the font itself when the text fits,
/// else the nearest smaller size of its face in which it does (a strike's size where the face has
/// one), the smallest tried when none does. A text is never cut where a smaller size would show it.
FontRef fontFitting(const FontRef& font, std::string_view text, int width);

/// A stock font (system, fixed and variable-pitch fonts); the system font for any other object.
FontRef stockFont(StockObject which);

/// Makes the fonts of a file (a program path) available to font creation, an outline font file or
/// a strike file; returns how many faces or strikes it holds (0 when the file is missing, damaged
/// or holds no font). Adding a file again is counted: it stays until withdrawn as many times.
int addFontResource(std::string_view file);
/// Withdraws a file added before, once; false when it was not added.
bool removeFontResource(std::string_view file);

} // namespace q71
