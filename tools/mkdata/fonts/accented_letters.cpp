#include "mkdata/fonts/accented_letters.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace q71::mkdata {
namespace {

// The spacing accents the strikes draw, by the character that shows them alone.
constexpr char32_t kGrave = U'\u0060', kAcute = U'\u00B4', kCircumflex = U'\u02C6', kTilde = U'\u02DC',
                   kDiaeresis = U'\u00A8', kRing = U'\u00B0', kCedilla = U'\u00B8', kCaron = U'\u02C7';
// The dotless i, on which the accented i stand.
constexpr char32_t kDotlessI = U'\u0131';

struct AccentedLetter {
    char32_t character;
    char32_t letter;
    char32_t accent;
};

// Every accented letter of Windows-1252.
constexpr AccentedLetter kAccentedLetters[] = {
    {U'À', U'A', kGrave},           {U'Á', U'A', kAcute},          {U'Â', U'A', kCircumflex},
    {U'Ã', U'A', kTilde},           {U'Ä', U'A', kDiaeresis},      {U'Å', U'A', kRing},
    {U'Ç', U'C', kCedilla},         {U'È', U'E', kGrave},          {U'É', U'E', kAcute},
    {U'Ê', U'E', kCircumflex},      {U'Ë', U'E', kDiaeresis},      {U'Ì', U'I', kGrave},
    {U'Í', U'I', kAcute},           {U'Î', U'I', kCircumflex},     {U'Ï', U'I', kDiaeresis},
    {U'Ñ', U'N', kTilde},           {U'Ò', U'O', kGrave},          {U'Ó', U'O', kAcute},
    {U'Ô', U'O', kCircumflex},      {U'Õ', U'O', kTilde},          {U'Ö', U'O', kDiaeresis},
    {U'Ù', U'U', kGrave},           {U'Ú', U'U', kAcute},          {U'Û', U'U', kCircumflex},
    {U'Ü', U'U', kDiaeresis},       {U'Ý', U'Y', kAcute},          {U'Ÿ', U'Y', kDiaeresis},
    {U'Š', U'S', kCaron},           {U'Ž', U'Z', kCaron},          {U'à', U'a', kGrave},
    {U'á', U'a', kAcute},           {U'â', U'a', kCircumflex},     {U'ã', U'a', kTilde},
    {U'ä', U'a', kDiaeresis},       {U'å', U'a', kRing},           {U'ç', U'c', kCedilla},
    {U'è', U'e', kGrave},           {U'é', U'e', kAcute},          {U'ê', U'e', kCircumflex},
    {U'ë', U'e', kDiaeresis},       {U'ì', kDotlessI, kGrave},     {U'í', kDotlessI, kAcute},
    {U'î', kDotlessI, kCircumflex}, {U'ï', kDotlessI, kDiaeresis}, {U'ñ', U'n', kTilde},
    {U'ò', U'o', kGrave},           {U'ó', U'o', kAcute},          {U'ô', U'o', kCircumflex},
    {U'õ', U'o', kTilde},           {U'ö', U'o', kDiaeresis},      {U'ù', U'u', kGrave},
    {U'ú', U'u', kAcute},           {U'û', U'u', kCircumflex},     {U'ü', U'u', kDiaeresis},
    {U'ý', U'y', kAcute},           {U'ÿ', U'y', kDiaeresis},      {U'š', U's', kCaron},
    {U'ž', U'z', kCaron},
};

// Sets one glyph's ink into a larger picture whose top-left pixel stands at (left, top) from the pen.
void inkInto(Glyph& picture, const Glyph& glyph, int left, int top) {
    for (int y = 0; y < glyph.height; ++y)
        for (int x = 0; x < glyph.width; ++x)
            if (glyph.mask[static_cast<std::size_t>(y * glyph.width + x)])
                picture.mask[static_cast<std::size_t>((top - glyph.top + y) * picture.width + glyph.left -
                                                      left + x)] = 1;
}

Glyph withAccent(const Glyph& letter, Glyph accent, bool below) {
    // Centred over the letter's ink, the odd pixel to the left.
    accent.left = letter.left + static_cast<int>(std::floor((letter.width - accent.width) / 2.0));
    accent.top = below ? letter.top - letter.height : letter.top + 1 + accent.height;
    Glyph composed;
    composed.advance = letter.advance;
    composed.left = std::min(letter.left, accent.left);
    composed.top = std::max(letter.top, accent.top);
    composed.width = std::max(letter.left + letter.width, accent.left + accent.width) - composed.left;
    composed.height = composed.top - std::min(letter.top - letter.height, accent.top - accent.height);
    composed.mask.assign(static_cast<std::size_t>(composed.width * composed.height), 0);
    inkInto(composed, letter, composed.left, composed.top);
    inkInto(composed, accent, composed.left, composed.top);
    return composed;
}

constexpr char32_t kBuildingBlocks[] = {kDotlessI, kCaron};

} // namespace

std::span<const char32_t> accentBuildingBlocks() {
    return kBuildingBlocks;
}

void composeAccentedLetters(GlyphTable& glyphs, const GlyphTable& mends) {
    for (const AccentedLetter& accented : kAccentedLetters) {
        if (mends.count(accented.character) || !mends.count(accented.letter))
            continue;
        const auto accent = glyphs.find(accented.accent);
        if (accent == glyphs.end() || accent->second.height == 0)
            throw std::runtime_error("the accent of a redrawn letter lacks");
        glyphs[accented.character] =
            withAccent(mends.at(accented.letter), accent->second, accented.accent == kCedilla);
    }
}

} // namespace q71::mkdata
