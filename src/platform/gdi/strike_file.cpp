#include "platform/gdi/strike_file.h"

#include "platform/files/little_endian.h"

#include <algorithm>
#include <cstdlib>
#include <string_view>

namespace q71 {
namespace {

constexpr std::string_view kMagic = "q71strk1";
constexpr std::size_t kMaxFaceName = 31;
constexpr int kMaxPixels = 64;   // sizes, cell sides and glyph sides
constexpr int kMaxAdvance = 128; // and how far a glyph's ink may stand from its pen
constexpr std::uint32_t kLastCharacter = 0x10FFFF;
constexpr std::uint8_t kFixedPitchFlag = 1;

// The bytes of a file read from the front, each read checked against the end.
class Bytes {
public:
    explicit Bytes(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
    bool has(std::size_t count) const { return bytes_.size() - at_ >= count; }
    bool atEnd() const { return at_ == bytes_.size(); }
    // Callers check `has` first.
    std::uint8_t byte() { return bytes_[at_++]; }
    std::uint16_t le16() {
        at_ += 2;
        return loadLe16(bytes_.data() + at_ - 2);
    }
    std::uint32_t le32() {
        at_ += 4;
        return loadLe32(bytes_.data() + at_ - 4);
    }
    std::span<const std::uint8_t> take(std::size_t count) {
        at_ += count;
        return bytes_.subspan(at_ - count, count);
    }

private:
    std::span<const std::uint8_t> bytes_;
    std::size_t at_ = 0;
};

std::size_t rowBytes(int width) {
    return (static_cast<std::size_t>(width) + 7) / 8;
}

bool readGlyph(Bytes& in, const Strike& strike, StrikeGlyph& out, std::string& error) {
    constexpr std::size_t kGlyphHeader = 9;
    if (!in.has(kGlyphHeader)) {
        error = "a glyph of " + strike.face + " is cut short";
        return false;
    }
    out.character = in.le32();
    Glyph& g = out.glyph;
    g.advance = in.byte();
    g.left = static_cast<std::int8_t>(in.byte());
    g.top = static_cast<std::int8_t>(in.byte());
    g.width = in.byte();
    g.height = in.byte();
    if (out.character > kLastCharacter || g.advance > kMaxAdvance || g.width > kMaxPixels ||
        g.height > kMaxPixels || std::abs(g.left) > kMaxAdvance || (g.width == 0) != (g.height == 0)) {
        error = "a glyph of " + strike.face + " has an impossible size";
        return false;
    }
    if (g.height > 0 && (g.top > strike.ascent || g.height - g.top > strike.descent)) {
        error = "a glyph of " + strike.face + " reaches out of its cell";
        return false;
    }
    const std::size_t stride = rowBytes(g.width);
    if (!in.has(stride * static_cast<std::size_t>(g.height))) {
        error = "the rows of a glyph of " + strike.face + " are cut short";
        return false;
    }
    const std::span<const std::uint8_t> rows = in.take(stride * static_cast<std::size_t>(g.height));
    g.mask.resize(static_cast<std::size_t>(g.width) * static_cast<std::size_t>(g.height));
    for (int y = 0; y < g.height; ++y)
        for (int x = 0; x < g.width; ++x)
            g.mask[static_cast<std::size_t>(y * g.width + x)] =
                (rows[static_cast<std::size_t>(y) * stride + static_cast<std::size_t>(x / 8)] >>
                 (7 - x % 8)) &
                1;
    return true;
}

bool readStrike(Bytes& in, Strike& strike, std::string& error) {
    if (!in.has(1)) {
        error = "a strike is cut short";
        return false;
    }
    const std::size_t nameLength = in.byte();
    if (nameLength == 0 || nameLength > kMaxFaceName || !in.has(nameLength)) {
        error = "a strike's face name is empty, too long or cut short";
        return false;
    }
    const std::span<const std::uint8_t> name = in.take(nameLength);
    if (std::any_of(name.begin(), name.end(), [](std::uint8_t c) { return c < 0x20 || c > 0x7E; })) {
        error = "a strike's face name is not plain text";
        return false;
    }
    strike.face.assign(name.begin(), name.end());
    constexpr std::size_t kStrikeHeader = 8;
    if (!in.has(kStrikeHeader)) {
        error = "the strike of " + strike.face + " is cut short";
        return false;
    }
    strike.weight = in.le16();
    strike.pixels = in.byte();
    strike.ascent = in.byte();
    strike.descent = in.byte();
    strike.fixedPitch = (in.byte() & kFixedPitchFlag) != 0;
    const std::size_t glyphCount = in.le16();
    if (strike.weight < 1 || strike.weight > 1000 || strike.pixels < 1 || strike.pixels > kMaxPixels ||
        strike.ascent < 1 || strike.ascent > kMaxPixels || strike.descent > kMaxPixels || glyphCount == 0) {
        error = "the strike of " + strike.face + " has an impossible size or no glyph";
        return false;
    }
    strike.glyphs.resize(glyphCount);
    for (std::size_t i = 0; i < glyphCount; ++i) {
        if (!readGlyph(in, strike, strike.glyphs[i], error))
            return false;
        if (i > 0 && strike.glyphs[i].character <= strike.glyphs[i - 1].character) {
            error = "the glyphs of " + strike.face + " are not in ascending order";
            return false;
        }
    }
    return true;
}

void putLe16(std::vector<std::uint8_t>& out, int value) {
    out.resize(out.size() + 2);
    storeLe16(out.data() + out.size() - 2, static_cast<std::uint16_t>(value));
}

void putGlyph(std::vector<std::uint8_t>& out, const StrikeGlyph& glyph) {
    out.resize(out.size() + 4);
    storeLe32(out.data() + out.size() - 4, glyph.character);
    const Glyph& g = glyph.glyph;
    for (int value : {g.advance, g.left, g.top, g.width, g.height})
        out.push_back(static_cast<std::uint8_t>(value));
    const std::size_t stride = rowBytes(g.width);
    for (int y = 0; y < g.height; ++y) {
        const std::size_t row = out.size();
        out.resize(row + stride);
        for (int x = 0; x < g.width; ++x)
            if (g.mask[static_cast<std::size_t>(y * g.width + x)])
                out[row + static_cast<std::size_t>(x / 8)] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
    }
}

} // namespace

const Glyph* Strike::glyphFor(char32_t character) const {
    const auto byCharacter = [](const StrikeGlyph& g, char32_t c) { return g.character < c; };
    auto found = std::lower_bound(glyphs.begin(), glyphs.end(), character, byCharacter);
    if (found != glyphs.end() && found->character == character)
        return &found->glyph;
    if (!glyphs.empty() && glyphs.front().character == 0)
        return &glyphs.front().glyph;
    return nullptr;
}

bool strikeFileLooksLikeOne(std::span<const std::uint8_t> bytes) {
    return bytes.size() >= kMagic.size() && std::equal(kMagic.begin(), kMagic.end(), bytes.begin());
}

std::optional<std::vector<Strike>> strikeFileDecode(std::span<const std::uint8_t> bytes, std::string& error) {
    if (!strikeFileLooksLikeOne(bytes)) {
        error = "not a strike file";
        return std::nullopt;
    }
    Bytes in(bytes.subspan(kMagic.size()));
    if (!in.has(2)) {
        error = "the strike file is cut short";
        return std::nullopt;
    }
    std::vector<Strike> strikes(in.le16());
    if (strikes.empty()) {
        error = "the strike file holds no strike";
        return std::nullopt;
    }
    for (Strike& strike : strikes)
        if (!readStrike(in, strike, error))
            return std::nullopt;
    if (!in.atEnd()) {
        error = "the strike file goes on after its last strike";
        return std::nullopt;
    }
    return strikes;
}

std::vector<std::uint8_t> strikeFileEncode(const std::vector<Strike>& strikes) {
    std::vector<std::uint8_t> out(kMagic.begin(), kMagic.end());
    putLe16(out, static_cast<int>(strikes.size()));
    for (const Strike& strike : strikes) {
        out.push_back(static_cast<std::uint8_t>(strike.face.size()));
        out.insert(out.end(), strike.face.begin(), strike.face.end());
        putLe16(out, strike.weight);
        for (int value : {strike.pixels, strike.ascent, strike.descent, strike.fixedPitch ? 1 : 0})
            out.push_back(static_cast<std::uint8_t>(value));
        putLe16(out, static_cast<int>(strike.glyphs.size()));
        for (const StrikeGlyph& glyph : strike.glyphs)
            putGlyph(out, glyph);
    }
    return out;
}

} // namespace q71
