#include "mkdata/fonts/bitmap_font_source.h"

#include "platform/text/cp1252.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <memory>
#include <stdexcept>
#include <vector>

namespace q71::mkdata {
namespace {

struct FreeTypeDone {
    void operator()(FT_Library library) const { FT_Done_FreeType(library); }
    void operator()(FT_Face face) const { FT_Done_Face(face); }
};

Glyph glyphOf(FT_GlyphSlot slot) {
    Glyph glyph;
    glyph.advance = static_cast<int>(slot->advance.x >> 6);
    glyph.left = slot->bitmap_left;
    glyph.top = slot->bitmap_top;
    glyph.width = static_cast<int>(slot->bitmap.width);
    glyph.height = static_cast<int>(slot->bitmap.rows);
    glyph.mask.resize(static_cast<std::size_t>(glyph.width * glyph.height));
    for (int y = 0; y < glyph.height; ++y)
        for (int x = 0; x < glyph.width; ++x)
            glyph.mask[static_cast<std::size_t>(y * glyph.width + x)] =
                (slot->bitmap.buffer[y * slot->bitmap.pitch + x / 8] >> (7 - x % 8)) & 1;
    return cutToInk(glyph);
}

} // namespace

std::filesystem::path installedBitmapFonts() {
    return "/usr/share/fonts/X11";
}

Glyph cutToInk(const Glyph& glyph) {
    int left = glyph.width, right = -1, top = glyph.height, bottom = -1;
    for (int y = 0; y < glyph.height; ++y)
        for (int x = 0; x < glyph.width; ++x)
            if (glyph.mask[static_cast<std::size_t>(y * glyph.width + x)]) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    Glyph cut;
    cut.advance = glyph.advance;
    if (right < 0)
        return cut;
    cut.left = glyph.left + left;
    cut.top = glyph.top - top;
    cut.width = right - left + 1;
    cut.height = bottom - top + 1;
    for (int y = top; y <= bottom; ++y)
        for (int x = left; x <= right; ++x)
            cut.mask.push_back(glyph.mask[static_cast<std::size_t>(y * glyph.width + x)]);
    return cut;
}

GlyphTable readBitmapFont(const std::filesystem::path& file, std::span<const char32_t> alsoRead) {
    FT_Library raw = nullptr;
    if (FT_Init_FreeType(&raw) != 0)
        throw std::runtime_error("FreeType cannot start");
    std::unique_ptr<FT_LibraryRec_, FreeTypeDone> library(raw);
    FT_Face rawFace = nullptr;
    if (FT_New_Face(library.get(), file.c_str(), 0, &rawFace) != 0)
        throw std::runtime_error(
            "the bitmap font " + file.string() +
            " cannot be read (Debian packages xfonts-75dpi, xfonts-100dpi and xfonts-base, "
            "see scripts/setup)");
    std::unique_ptr<FT_FaceRec_, FreeTypeDone> face(rawFace);
    if (face->num_fixed_sizes < 1 || FT_Select_Size(face.get(), 0) != 0)
        throw std::runtime_error(file.string() + " holds no strike");
    std::vector<char32_t> characters(alsoRead.begin(), alsoRead.end());
    for (int byte = 0x20; byte <= 0xFF; ++byte)
        characters.push_back(cp1252ToUnicode(static_cast<unsigned char>(byte)));
    GlyphTable table;
    for (const char32_t character : characters) {
        const FT_UInt index = FT_Get_Char_Index(face.get(), character);
        if (index == 0 || FT_Load_Glyph(face.get(), index, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO) != 0)
            continue;
        if (face->glyph->bitmap.pixel_mode != FT_PIXEL_MODE_MONO)
            throw std::runtime_error(file.string() + " is not a one-bit strike");
        table[character] = glyphOf(face->glyph);
    }
    return table;
}

} // namespace q71::mkdata
