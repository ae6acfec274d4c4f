#include "dcl_test_support.h"

#include "dcl_published_codes.h"
#include "framework/resources/dcl.h"

#include <algorithm>
#include <cstring>

namespace q71::test {
namespace {

struct Pieces {
    std::string_view input;
    uint32_t piece;
    size_t position = 0;
    std::string output;
    std::vector<uint32_t> writes;

    static uint32_t read(uint8_t* buffer, uint32_t* size, void* self) {
        auto& p = *static_cast<Pieces*>(self);
        size_t given = std::min({size_t{*size}, size_t{p.piece}, p.input.size() - p.position});
        std::memcpy(buffer, p.input.data() + p.position, given);
        p.position += given;
        return static_cast<uint32_t>(given);
    }
    static void write(const uint8_t* buffer, uint32_t size, void* self) {
        auto& p = *static_cast<Pieces*>(self);
        p.output.append(reinterpret_cast<const char*>(buffer), size);
        p.writes.push_back(size);
    }
};

} // namespace

CodecOutput explodeAll(std::string_view packed, uint32_t piece) {
    Pieces pieces{packed, piece, 0, {}, {}};
    std::vector<uint8_t> work(kExplodeWorkSize + 1);
    // One byte in, so that the codec cannot rely on the buffer's alignment.
    int result = explode(Pieces::read, Pieces::write, work.data() + 1, &pieces);
    return {result, std::move(pieces.output), std::move(pieces.writes)};
}

CodecOutput implodeAll(std::string_view plain, int mode, uint32_t dictionarySize, uint32_t piece) {
    Pieces pieces{plain, piece, 0, {}, {}};
    std::vector<uint8_t> work(kImplodeWorkSize + 3);
    int result = implode(Pieces::read, Pieces::write, work.data() + 3, &pieces, mode, dictionarySize);
    return {result, std::move(pieces.output), std::move(pieces.writes)};
}

BitStream::BitStream(uint8_t mode, uint8_t dictionaryCode) {
    bytes_.push_back(static_cast<char>(mode));
    bytes_.push_back(static_cast<char>(dictionaryCode));
}

BitStream& BitStream::code(std::string_view bits) {
    for (char bit : bits) {
        if (bitCount_ % 8 == 0)
            bytes_.push_back(0);
        if (bit == '1')
            bytes_.back() = static_cast<char>(bytes_.back() | (1 << (bitCount_ % 8)));
        ++bitCount_;
    }
    return *this;
}

BitStream& BitStream::field(uint32_t value, int count) {
    for (int i = 0; i < count; ++i)
        code((value >> i) & 1 ? "1" : "0");
    return *this;
}

BitStream& BitStream::end() {
    return code("1").code(kPublishedLengthCodes[15]).code("11111111");
}

std::string BitStream::bytes() const {
    return bytes_;
}

} // namespace q71::test
