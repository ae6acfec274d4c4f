#include "mkdata/fonts/interface_strikes.h"

#include "mkdata/art/art_texts.h"
#include "mkdata/files.h"
#include "mkdata/fonts/accented_letters.h"
#include "mkdata/fonts/glyph_mends.h"
#include "platform/gdi/strike_file.h"
#include "platform/text/cp1252.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>

namespace q71::mkdata {
namespace {

struct StrikeRecipe {
    int faceText; ///< the text that names the face
    int weight;
    int pixels; ///< the character height it draws
    // Its cell, that of the outline face at this size, so that lines of text keep their height.
    int ascent;
    int descent;
    const char* source; ///< a bitmap font under the installed ones
    const char* mends;  ///< its glyphs redrawn, under data/fonts/ (none: "")
};

// The sizes the program draws the interface faces in, up to 13 pixels: the chart face (9), the
// narrow face's running text (13) and its bold labels (11, 13), the fixed-pitch face (11), the
// serif face (11), and the sans-serif face of the message boxes, dialogs and stock font (11, 12).
constexpr StrikeRecipe kRecipes[] = {
    {kFaceNarrow, kFontWeightNormal, 9, 9, 2, "75dpi/helvR08.pcf.gz", "narrow-9.txt"},
    {kFaceNarrow, kFontWeightNormal, 13, 12, 3, "75dpi/helvR12.pcf.gz", "helvetica-12.txt"},
    {kFaceNarrow, kFontWeightBold, 11, 11, 2, "100dpi/helvB08.pcf.gz", "helvetica-bold-11.txt"},
    {kFaceNarrow, kFontWeightBold, 13, 12, 3, "75dpi/helvB12.pcf.gz", "helvetica-bold-12.txt"},
    {kFaceMono, kFontWeightNormal, 11, 11, 3, "misc/6x12.pcf.gz", "mono-11.txt"},
    {kFaceSerif, kFontWeightNormal, 11, 10, 2, "100dpi/ncenR08.pcf.gz", "schoolbook-11.txt"},
    {kFaceSans, kFontWeightNormal, 11, 10, 2, "100dpi/helvR08.pcf.gz", "helvetica-11.txt"},
    {kFaceSans, kFontWeightNormal, 12, 11, 3, "75dpi/helvR12.pcf.gz", "helvetica-12.txt"},
    {kFaceSans, kFontWeightBold, 12, 11, 3, "75dpi/helvB12.pcf.gz", "helvetica-bold-12.txt"},
};

std::string codeOf(char32_t character) {
    char code[16];
    std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(character));
    return code;
}

// The row that can go with the least harm to an accented capital too tall for its cell: one of two
// like rows of the letter's body, the lowest such pair (the capital stands a row shorter, its accent
// still clear of it), else the blank row between accent and letter; -1 when there is none.
int rowToTakeOut(const Glyph& glyph) {
    const auto row = [&](int y) { return glyph.mask.begin() + y * glyph.width; };
    const auto blank = [&](int y) {
        return std::none_of(row(y), row(y) + glyph.width, [](std::uint8_t ink) { return ink != 0; });
    };
    for (int y = glyph.height - 1; y > 0; --y)
        if (!blank(y) && std::equal(row(y), row(y) + glyph.width, row(y - 1)))
            return y;
    for (int y = 1; y < glyph.height; ++y)
        if (blank(y))
            return y;
    return -1;
}

// Where a cell has no room for the whole height of an accented capital, rows are taken out until
// the glyph fits (see `rowToTakeOut`).
void fitToCell(Glyph& glyph, int ascent, int descent, char32_t character, const StrikeRecipe& recipe) {
    for (int y; glyph.top > ascent && (y = rowToTakeOut(glyph)) > 0;) {
        glyph.mask.erase(glyph.mask.begin() + y * glyph.width, glyph.mask.begin() + (y + 1) * glyph.width);
        --glyph.height;
        --glyph.top;
    }
    if (glyph.top > ascent || glyph.height - glyph.top > descent)
        throw std::runtime_error(codeOf(character) + " of " + recipe.source +
                                 " does not fit the cell of its strike");
}

// Letters side by side never touch: the ink of every glyph of a proportional strike starts one
// column after its pen and ends within its advance, moved right where it started sooner and the
// advance grown where it must (an "r" whose arm met the next letter, a crossbar or a composed
// accent that stood out left of the pen). The hand-drawn faces keep this spacing already.
void keepApart(Glyph& glyph) {
    if (glyph.width == 0)
        return;
    glyph.left = std::max(glyph.left, 1);
    glyph.advance = std::max(glyph.advance, glyph.left + glyph.width);
}

// In a fixed-pitch strike every glyph's ink stands in the middle of its cell (the odd column to the
// left), so that a letter centred on a point is centred on it whatever its width.
void centreInCell(Glyph& glyph) {
    if (glyph.width > 0)
        glyph.left = (glyph.advance - glyph.width + 1) / 2;
}

// The glyph drawn for a character the strike lacks: an empty box the height of a capital.
Glyph missingGlyph(const GlyphTable& glyphs) {
    const Glyph& n = glyphs.at(U'n');
    const Glyph& capital = glyphs.at(U'H');
    Glyph box;
    box.advance = n.advance;
    box.left = capital.left;
    box.top = capital.top;
    box.width = std::max(n.advance - 1 - capital.left, 2);
    box.height = capital.height;
    for (int y = 0; y < box.height; ++y)
        for (int x = 0; x < box.width; ++x)
            box.mask.push_back(y == 0 || y == box.height - 1 || x == 0 || x == box.width - 1);
    return box;
}

Strike strikeOf(const StrikeRecipe& recipe, const TextTable& texts, const Context& context) {
    GlyphTable glyphs = readBitmapFont(installedBitmapFonts() / recipe.source, accentBuildingBlocks());
    if (*recipe.mends) {
        const GlyphTable mends = readGlyphMends(context.source / "fonts" / recipe.mends);
        for (const auto& [character, glyph] : mends)
            glyphs[character] = glyph;
        composeAccentedLetters(glyphs, mends);
    }
    Strike strike;
    const std::string* face = texts.find(recipe.faceText);
    if (!face)
        throw std::runtime_error("the text table names no face " + std::to_string(recipe.faceText));
    strike.face = *face;
    strike.weight = recipe.weight;
    strike.pixels = recipe.pixels;
    strike.ascent = recipe.ascent;
    strike.descent = recipe.descent;
    const bool fixedPitch = std::all_of(glyphs.begin(), glyphs.end(), [&](const auto& entry) {
        return entry.second.advance == glyphs.at(U'n').advance;
    });
    strike.fixedPitch = fixedPitch;
    strike.glyphs.push_back({0, missingGlyph(glyphs)});
    std::string lacking;
    for (int byte = 0x20; byte <= 0xFF; ++byte) {
        const char32_t character = cp1252ToUnicode(static_cast<unsigned char>(byte));
        if (byte == 0x7F || (byte >= 0x80 && byte < 0xA0 && character == static_cast<char32_t>(byte)))
            continue; // no character
        auto found = glyphs.find(character);
        if (found == glyphs.end()) {
            lacking += " " + codeOf(character);
            continue;
        }
        fitToCell(found->second, recipe.ascent, recipe.descent, character, recipe);
        if (fixedPitch)
            centreInCell(found->second);
        else
            keepApart(found->second);
        strike.glyphs.push_back({character, found->second});
    }
    if (!lacking.empty())
        throw std::runtime_error(std::string(recipe.source) + " and its mends lack" + lacking);
    std::sort(strike.glyphs.begin(), strike.glyphs.end(),
              [](const StrikeGlyph& a, const StrikeGlyph& b) { return a.character < b.character; });
    return strike;
}

// The packages of the bitmap fonts drawn from, by their folder: their copyright and permission
// notices go with the strikes drawn from them.
struct SourcePackage {
    const char* folder;
    const char* package;
};
constexpr SourcePackage kSourcePackages[] = {
    {"75dpi", "xfonts-75dpi"}, {"100dpi", "xfonts-100dpi"}, {"misc", "xfonts-base"}};

} // namespace

void generateInterfaceStrikes(const Context& context) {
    const TextTable texts = readDataSetTexts(context);
    std::vector<Strike> strikes;
    for (const StrikeRecipe& recipe : kRecipes)
        strikes.push_back(strikeOf(recipe, texts, context));
    const std::vector<std::uint8_t> file = strikeFileEncode(strikes);
    const std::filesystem::path fontFile = dataSetFontFile(context, texts);
    writeOutput(fontFile, std::string(file.begin(), file.end()));
    for (const SourcePackage& source : kSourcePackages)
        writeOutput(fontFile.parent_path() / (std::string(source.package) + ".copyright"),
                    readSource(std::filesystem::path("/usr/share/doc") / source.package / "copyright"));
}

} // namespace q71::mkdata
