#include "platform/gdi/font.h"

#include "platform/files/path.h"
#include "platform/gdi/font_library.h"
#include "platform/gdi/glyph_raster.h"
#include "platform/text/cp1252.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cmath>

namespace q71 {

struct Font::Face {
    // A font may be released after the library's own holder is gone (a font held in a static
    // that was made before the library, released as the program exits): it keeps the library,
    // so that FreeType still holds the face it frees.
    std::shared_ptr<FontLibrary> library = FontLibrary::shared();
    FT_Face face = nullptr;
    bool emboldened = false; ///< bold asked of a face that has none
    double emPixels = 0;     ///< the size the face is set to
    ~Face() {
        if (face) {
            std::lock_guard guard(library->lock());
            FT_Done_Face(face);
        }
    }
};

namespace {

// A height of 0 asks for the usual size of interface text.
constexpr int kDefaultEmPixels = 12;
// The largest height asked for either way (a cell or a character height); larger ones are held
// to it, so that metrics and the layouts built on them stay far from overflow.
constexpr int kMaxHeightPixels = 1000;

// The least blank columns a word space leaves between two inks, one more than the blank column
// that letters kept apart leave.
constexpr int kLeastWordGap = 2;
// The bytes words are made of: letters and figures, the accented letters of French, and the marks
// written against a word.
constexpr std::string_view kWordBytes = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789"
                                        "\xC0\xC2\xC7\xC8\xC9\xCA\xCB\xCE\xCF\xD4\xD9\xDB\xDC\x8C"
                                        "\xE0\xE2\xE7\xE8\xE9\xEA\xEB\xEE\xEF\xF4\xF9\xFB\xFC\x9C"
                                        ".,'-";

// Letters whose ink ends in a bare stem or arm that, touching the next letter's, reads as another
// letter: "rn" as "m", "ri" as "n", "le" as "k", "lo" as "b".
constexpr std::string_view kLettersKeptClear = "rl";
// Apostrophes, a tick that joins the stem beside it ("n'est" reads "nest").
constexpr std::string_view kMarksKeptClear = "'\x92";

bool isFigure(std::uint8_t c) {
    return c >= '0' && c <= '9';
}

bool isIn(std::string_view set, std::uint8_t c) {
    return set.find(static_cast<char>(c)) != std::string_view::npos;
}

// Whether the inks of two bytes side by side keep a blank column between them.
bool keptApart(std::uint8_t ch, std::uint8_t next) {
    return (isFigure(ch) && isFigure(next)) || isIn(kLettersKeptClear, ch) || isIn(kMarksKeptClear, ch) ||
           isIn(kMarksKeptClear, next);
}

bool isWordSpace(std::uint8_t c) {
    return c == ' ' || c == 0xA0;
}

bool hasInk(const Glyph& glyph) {
    return glyph.inkFirst <= glyph.inkLast;
}

// Blank columns between the inks of two glyphs whose pens stand `step` apart.
int blankColumns(const Glyph& first, int step, const Glyph& second) {
    return step + second.left + second.inkFirst - (first.left + first.inkLast) - 1;
}

// Notes the first and last columns of a glyph's mask that hold ink.
void findInkColumns(Glyph& glyph) {
    glyph.inkFirst = glyph.width;
    glyph.inkLast = -1;
    for (int y = 0; y < glyph.height; ++y)
        for (int x = 0; x < glyph.width; ++x)
            if (glyph.mask[static_cast<std::size_t>(y * glyph.width + x)]) {
                glyph.inkFirst = std::min(glyph.inkFirst, x);
                glyph.inkLast = std::max(glyph.inkLast, x);
            }
}

struct VerticalMetrics {
    double winAscent, winDescent, lineGap, hheaAscent, hheaDescent, averageWidth;
};

VerticalMetrics verticalMetricsOf(FT_Face face) {
    VerticalMetrics m{};
    m.hheaAscent = face->ascender;
    m.hheaDescent = -face->descender;
    m.lineGap = face->height - (face->ascender - face->descender);
    auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    if (os2 && os2->usWinAscent + os2->usWinDescent > 0) {
        m.winAscent = os2->usWinAscent;
        m.winDescent = os2->usWinDescent;
        m.averageWidth = os2->xAvgCharWidth;
    } else {
        m.winAscent = m.hheaAscent;
        m.winDescent = m.hheaDescent;
        m.averageWidth = face->max_advance_width / 2.0;
    }
    return m;
}

} // namespace

Font::~Font() = default;

std::shared_ptr<const Font> Font::create(const LogFont& description) {
    FontLibrary& library = FontLibrary::instance();
    auto match = library.match(description);
    if (!match || !library.freetype())
        return nullptr;
    auto font = std::shared_ptr<Font>(new Font);
    font->description_ = description;
    font->family_ = match->family;
    font->face_ = std::make_unique<Face>();
    std::lock_guard guard(library.lock());
    FT_Face face = nullptr;
    if (FT_New_Face(library.freetype(), match->file.c_str(), match->index, &face) != 0)
        return nullptr;
    font->face_->face = face;
    int weight = description.weight == 0 ? kFontWeightNormal : description.weight;
    font->face_->emboldened = weight >= 600 && match->weight < 600;

    VerticalMetrics v = verticalMetricsOf(face);
    double units = face->units_per_EM > 0 ? face->units_per_EM : 2048.0;
    int height = std::clamp(description.height, -kMaxHeightPixels, kMaxHeightPixels);
    double em = height < 0   ? -height
                : height > 0 ? height * units / (v.winAscent + v.winDescent)
                             : kDefaultEmPixels;
    em = std::clamp(em, 1.0, static_cast<double>(kMaxHeightPixels));
    FT_Set_Char_Size(face, 0, static_cast<FT_F26Dot6>(std::lround(em * 64)), 72, 72);
    font->face_->emPixels = em;
    double scale = em / units;

    TextMetrics& m = font->metrics_;
    m.ascent = static_cast<int>(std::ceil(v.winAscent * scale - 0.01));
    m.descent = static_cast<int>(std::lround(v.winDescent * scale));
    if (height > 0)
        m.descent = std::max(height - m.ascent, 0);
    m.height = m.ascent + m.descent;
    m.internalLeading = std::max(m.height - static_cast<int>(std::lround(em)), 0);
    double external = v.lineGap - ((v.winAscent + v.winDescent) - (v.hheaAscent + v.hheaDescent));
    m.externalLeading = std::max(static_cast<int>(std::lround(external * scale)), 0);
    m.aveCharWidth = std::max(static_cast<int>(std::lround(v.averageWidth * scale)), 1);
    m.maxCharWidth = std::max(static_cast<int>(std::lround(face->max_advance_width * scale)), 1);
    m.weight = weight;
    m.italic = description.italic;
    m.underlined = description.underline;
    m.struckOut = description.strikeOut;
    m.charSet = description.charSet;
    bool fixed = FT_IS_FIXED_WIDTH(face);
    font->fixedPitch_ = fixed;
    // Bit 0 set means variable pitch; 2 and 4 mark a scalable TrueType face.
    m.pitchAndFamily = (fixed ? 0 : 1) | 2 | 4 | (description.pitchAndFamily & 0xF0);

    font->lineThickness_ = std::max(static_cast<int>(std::lround(face->underline_thickness * scale)), 1);
    font->underlineOffset_ = std::max(static_cast<int>(std::lround(-face->underline_position * scale)), 1);
    font->strikeOutOffset_ = -std::max(static_cast<int>(std::lround(m.ascent * 0.3)), 1);
    return font;
}

const Glyph& Font::glyph(std::uint8_t ch) const {
    // Any thread may draw text: the cache is filled under the library's lock.
    std::lock_guard guard(face_->library->lock());
    std::unique_ptr<Glyph>& slot = glyphs_[ch];
    if (slot)
        return *slot;
    FT_UInt index = FT_Get_Char_Index(face_->face, cp1252ToUnicode(ch));
    slot = std::make_unique<Glyph>(rasteriseGlyph(face_->face, index, face_->emPixels, face_->emboldened));
    findInkColumns(*slot);
    return *slot;
}

int Font::textWidth(std::string_view text) const {
    return penAt(text, text.size());
}

int Font::wordGap() const {
    std::call_once(wordGapFound_, [this] {
        // The widest blank a byte of a word leaves after its ink and before it: no two of them
        // side by side leave more between their inks than both, or than the one column kept.
        int after = 0, before = 0;
        for (const char c : kWordBytes) {
            const Glyph& g = glyph(static_cast<std::uint8_t>(c));
            if (!hasInk(g))
                continue;
            after = std::max(after, g.advance - (g.left + g.inkLast) - 1);
            before = std::max(before, g.left + g.inkFirst);
        }
        wordGap_ = std::max(kLeastWordGap, after + before + 1);
    });
    return wordGap_;
}

int Font::spaceAfter(std::string_view text, std::size_t index) const {
    if (fixedPitch_ || index + 1 >= text.size())
        return 0;
    const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(text[i]); };
    const std::uint8_t ch = byte(index);
    const Glyph& next = glyph(byte(index + 1));
    if (!hasInk(next))
        return 0;
    if (keptApart(ch, byte(index + 1))) {
        const Glyph& first = glyph(ch);
        return hasInk(first) ? std::max(0, 1 - blankColumns(first, first.advance, next)) : 0;
    }
    if (isWordSpace(ch) && index > 0) {
        const Glyph& before = glyph(byte(index - 1));
        if (!hasInk(before))
            return 0;
        const int blank = blankColumns(before, stepAfter(text, index - 1) + glyph(ch).advance, next);
        return std::max(0, wordGap() - blank);
    }
    return 0;
}

int Font::stepAfter(std::string_view text, std::size_t index) const {
    return glyph(static_cast<std::uint8_t>(text[index])).advance + spaceAfter(text, index);
}

int Font::penAt(std::string_view text, std::size_t index) const {
    int x = 0;
    for (std::size_t i = 0; i < std::min(index, text.size()); ++i)
        x += stepAfter(text, i);
    return x;
}

Rect Font::inkBounds(std::string_view text) const {
    Rect ink;
    int x = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const Glyph& g = glyph(static_cast<std::uint8_t>(text[i]));
        if (hasInk(g))
            ink = ink.united({x + g.left + g.inkFirst, metrics_.ascent - g.top, x + g.left + g.inkLast + 1,
                              metrics_.ascent - g.top + g.height});
        x += stepAfter(text, i);
    }
    return ink;
}

FontRef stockFont(StockObject which) {
    // Made once each and kept for the whole run, like the system's own stock objects.
    static FontRef system = Font::create({16, 0, 0, 0, kFontWeightBold, false, false, false, 0, 0, 0, 0,
                                          kVariablePitch | kFamilySwiss, "Liberation Sans"});
    static FontRef variable = Font::create({-11, 0, 0, 0, kFontWeightNormal, false, false, false, 0, 0, 0, 0,
                                            kVariablePitch | kFamilySwiss, "Liberation Sans"});
    static FontRef fixed = Font::create({-12, 0, 0, 0, kFontWeightNormal, false, false, false, 0, 0, 0, 0,
                                         kFixedPitch | kFamilyModern, "Liberation Mono"});
    switch (which) {
    case StockObject::AnsiVarFont:
    case StockObject::DefaultGuiFont:
        return variable;
    case StockObject::OemFixedFont:
    case StockObject::AnsiFixedFont:
    case StockObject::SystemFixedFont:
        return fixed;
    default:
        return system;
    }
}

int addFontResource(std::string_view file) {
    return FontLibrary::instance().addFile(fileResolvePath(file));
}

bool removeFontResource(std::string_view file) {
    return FontLibrary::instance().removeFile(fileResolvePath(file));
}

} // namespace q71
