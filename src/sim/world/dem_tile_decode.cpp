#include "sim/world/dem_tile_decode.h"

namespace q71 {

namespace {

// Reads the byte stream of one tile; every read is checked against its end.
class ByteStream {
public:
    explicit ByteStream(std::span<const uint8_t> bytes) : bytes_(bytes) {}

    bool byte(uint8_t& out) {
        if (pos_ >= bytes_.size())
            return false;
        out = bytes_[pos_++];
        return true;
    }

    bool word(uint16_t& out) {
        uint8_t lo, hi;
        if (!byte(lo) || !byte(hi))
            return false;
        out = static_cast<uint16_t>(lo | hi << 8);
        return true;
    }

    // One delta code: a byte for -64..63, two bytes for -16384..16383.
    bool delta(int& out) {
        uint8_t b1;
        if (!byte(b1))
            return false;
        int magnitude;
        bool negative;
        if (!(b1 & 0x80)) {
            magnitude = b1 & 0x3F;
            negative = b1 & 0x40;
        } else {
            uint8_t b2;
            if (!byte(b2))
                return false;
            magnitude = (b1 & 0x7F) + 128 * (b2 & 0x3F) + ((b2 & 0x80) ? 0x2000 : 0);
            negative = b2 & 0x40;
        }
        out = negative ? -(magnitude + 1) : magnitude;
        return true;
    }

private:
    std::span<const uint8_t> bytes_;
    size_t pos_ = 0;
};

bool readPlain(ByteStream& in, std::vector<int16_t>& samples) {
    for (int16_t& s : samples) {
        uint16_t v;
        if (!in.word(v))
            return false;
        s = static_cast<int16_t>(v);
    }
    return true;
}

// Each row starts from the row above's first sample; every other sample from the one before.
// Sums wrap at 16 bits.
bool readDeltas(ByteStream& in, int rows, int columns, std::vector<int16_t>& samples) {
    uint16_t rowStart = 0;
    for (int r = 0; r < rows; ++r) {
        int d;
        if (r == 0) {
            if (!in.word(rowStart))
                return false;
        } else {
            if (!in.delta(d))
                return false;
            rowStart = static_cast<uint16_t>(rowStart + d);
        }
        uint16_t value = rowStart;
        int16_t* row = samples.data() + static_cast<size_t>(r) * columns;
        row[0] = static_cast<int16_t>(value);
        for (int c = 1; c < columns; ++c) {
            if (!in.delta(d))
                return false;
            value = static_cast<uint16_t>(value + d);
            row[c] = static_cast<int16_t>(value);
        }
    }
    return true;
}

} // namespace

bool demDecodeTile(const DemCoding& coding, std::span<const uint8_t> payload, int rows, int columns,
                   std::vector<int16_t>& samples) {
    if (rows <= 0 || columns <= 0)
        return false;
    samples.assign(static_cast<size_t>(rows) * columns, 0);
    std::vector<uint8_t> decoded;
    std::span<const uint8_t> stream = payload;
    if (coding.huffman) {
        if (!coding.tree || !demHuffmanDecode(*coding.tree, payload, decoded))
            return false;
        stream = decoded;
    }
    ByteStream in(stream);
    return coding.delta ? readDeltas(in, rows, columns, samples) : readPlain(in, samples);
}

} // namespace q71
