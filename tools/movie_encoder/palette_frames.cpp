#include "movie_encoder/palette_frames.h"
#include "movie_encoder/bit_writers.h"
#include "movie_encoder/lz77_pack.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <optional>
#include <stdexcept>

namespace q71::encoder {

namespace {

void putU16(std::vector<std::uint8_t>& out, unsigned v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void checkSize(const IndexedImage& image) {
    if (image.width <= 0 || image.height <= 0 || image.width % 4 || image.height % 4 ||
        image.width * image.height > 0xA0000 / 4)
        throw std::invalid_argument("palettised movie frames need a size in multiples of 4 that fits the buffers");
}

using Block = std::array<std::uint8_t, 16>;

Block blockAt(const IndexedImage& image, int x, int y) {
    Block b;
    for (int r = 0; r < 4; ++r)
        std::memcpy(b.data() + r * 4, &image.pixels[static_cast<std::size_t>(y + r) * image.width + x], 4);
    return b;
}

bool matches(const IndexedImage& previous, int x, int y, const Block& block) {
    if (x < 0 || y < 0 || x + 4 > previous.width || y + 4 > previous.height)
        return false;
    for (int r = 0; r < 4; ++r)
        if (std::memcmp(block.data() + r * 4, &previous.pixels[static_cast<std::size_t>(y + r) * previous.width + x],
                        4) != 0)
            return false;
    return true;
}

enum class Source { Vector, Full, FewColours };

struct Choice {
    Source source;
    int index; ///< within its kind
};

class BlockFrameBuilder {
public:
    BlockFrameBuilder(const IndexedImage& previous, std::span<const Motion> hints) : previous_(previous) {
        candidates_.push_back({});
        for (const Motion& m : hints)
            addCandidate(m);
    }

    void add(const Block& block, int x, int y) {
        if (std::optional<int> v = findVector(block, x, y)) {
            choices_.push_back({Source::Vector, *v});
            return;
        }
        std::array<std::uint8_t, 4> colours{};
        int count = 0;
        for (std::uint8_t p : block) {
            if (std::find(colours.begin(), colours.begin() + count, p) != colours.begin() + count)
                continue;
            if (count == 4) {
                count = 5;
                break;
            }
            colours[count++] = p;
        }
        if (count > 4) {
            choices_.push_back({Source::Full, static_cast<int>(full_.size())});
            full_.push_back(block);
            return;
        }
        std::uint32_t indices = 0;
        for (int p = 0; p < 16; ++p) {
            auto at = std::find(colours.begin(), colours.begin() + count, block[p]) - colours.begin();
            indices |= static_cast<std::uint32_t>(at) << (30 - 2 * p);
        }
        std::array<std::uint8_t, 8> entry{};
        std::copy(colours.begin(), colours.end(), entry.begin());
        for (int i = 0; i < 4; ++i)
            entry[4 + i] = static_cast<std::uint8_t>(indices >> (8 * i));
        choices_.push_back({Source::FewColours, static_cast<int>(fewColours_.size())});
        fewColours_.push_back(entry);
    }

    std::vector<std::uint8_t> finish() const {
        const unsigned v = static_cast<unsigned>(vectors_.size());
        const unsigned f = static_cast<unsigned>(full_.size());
        const unsigned t = static_cast<unsigned>(fewColours_.size());
        if (v + f + t > 0xFFFF)
            throw std::length_error("too many blocks in one frame");
        const int codeBits = std::max(1, static_cast<int>(std::bit_width(v + f + t - 1)));
        std::vector<std::uint8_t> out;
        putU16(out, v);
        putU16(out, f);
        putU16(out, t);
        putU16(out, static_cast<unsigned>(codeBits));
        out.resize(out.size() + 4, 0);
        LowBitWriter vectorBits;
        for (const Motion& m : vectors_) {
            vectorBits.put(static_cast<std::uint32_t>(m.dx) & 1023, 10);
            vectorBits.put(static_cast<std::uint32_t>(m.dy) & 1023, 10);
        }
        std::vector<std::uint8_t> packed = vectorBits.bytes();
        packed.resize((packed.size() + 3) & ~std::size_t{3}, 0);
        out.insert(out.end(), packed.begin(), packed.end());
        for (const Block& b : full_)
            out.insert(out.end(), b.begin(), b.end());
        for (const auto& e : fewColours_)
            out.insert(out.end(), e.begin(), e.end());
        LowBitWriter map;
        for (const Choice& c : choices_) {
            unsigned code = static_cast<unsigned>(c.index);
            if (c.source != Source::Vector)
                code += v;
            if (c.source == Source::FewColours)
                code += f;
            map.put(code, codeBits);
        }
        out.insert(out.end(), map.bytes().begin(), map.bytes().end());
        return out;
    }

private:
    void addCandidate(const Motion& m) {
        if (std::find(candidates_.begin(), candidates_.end(), m) == candidates_.end())
            candidates_.push_back(m);
    }

    int vectorIndex(const Motion& m) {
        auto it = std::find(vectors_.begin(), vectors_.end(), m);
        if (it != vectors_.end())
            return static_cast<int>(it - vectors_.begin());
        vectors_.push_back(m);
        return static_cast<int>(vectors_.size() - 1);
    }

    // Displacements tried in order: the candidates, then a small search around each of them.
    std::optional<int> findVector(const Block& block, int x, int y) {
        for (const Motion& m : candidates_)
            if (matches(previous_, x + m.dx, y + m.dy, block))
                return vectorIndex(m);
        constexpr int kSearch = 2;
        for (std::size_t c = 0, n = std::min<std::size_t>(candidates_.size(), 2); c < n; ++c)
            for (int dy = -kSearch; dy <= kSearch; ++dy)
                for (int dx = -kSearch; dx <= kSearch; ++dx) {
                    Motion m{candidates_[c].dx + dx, candidates_[c].dy + dy};
                    if (m.dx < -512 || m.dx > 511 || m.dy < -512 || m.dy > 511)
                        continue;
                    if (matches(previous_, x + m.dx, y + m.dy, block)) {
                        addCandidate(m);
                        return vectorIndex(m);
                    }
                }
        return std::nullopt;
    }

    const IndexedImage& previous_;
    std::vector<Motion> candidates_;
    std::vector<Motion> vectors_;
    std::vector<Block> full_;
    std::vector<std::array<std::uint8_t, 8>> fewColours_;
    std::vector<Choice> choices_;
};

} // namespace

std::vector<std::uint8_t> encodeKeyFrame(const IndexedImage& image) {
    checkSize(image);
    if (image.colours < 0 || image.colours > 256)
        throw std::invalid_argument("a palette holds at most 256 colours");
    std::vector<std::uint8_t> out;
    putU16(out, static_cast<unsigned>(image.width));
    putU16(out, static_cast<unsigned>(image.height));
    putU16(out, 0);
    putU16(out, static_cast<unsigned>(image.colours));
    out.resize(out.size() + 4, 0);
    out.insert(out.end(), image.palette.begin(), image.palette.begin() + image.colours * 3);
    std::vector<std::uint8_t> packed = lz77Pack(image.pixels);
    out.insert(out.end(), packed.begin(), packed.end());
    return out;
}

std::vector<std::uint8_t> encodeBlockFrame(const IndexedImage& previous, const IndexedImage& image,
                                           std::span<const Motion> hints) {
    checkSize(image);
    if (previous.width != image.width || previous.height != image.height)
        throw std::invalid_argument("a following frame keeps the size of its key frame");
    BlockFrameBuilder builder(previous, hints);
    for (int y = 0; y < image.height; y += 4)
        for (int x = 0; x < image.width; x += 4)
            builder.add(blockAt(image, x, y), x, y);
    return builder.finish();
}

} // namespace q71::encoder
