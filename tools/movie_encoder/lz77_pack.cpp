#include "movie_encoder/lz77_pack.h"

#include <algorithm>
#include <stdexcept>

namespace q71::encoder {

namespace {

constexpr std::size_t kWindow = 131072;
constexpr std::size_t kLongestMatch = 1028;
constexpr int kChainDepth = 48;
constexpr int kHashBits = 15;

// Whether a match of this length and distance has a command, and how many bytes it takes.
int commandBytes(std::size_t length, std::size_t distance) {
    if (length >= 3 && length <= 10 && distance <= 1024)
        return 2;
    if (length >= 4 && length <= 67 && distance <= 16384)
        return 3;
    if (length >= 5 && length <= kLongestMatch && distance <= kWindow)
        return 4;
    return 0;
}

class Packer {
public:
    explicit Packer(std::span<const std::uint8_t> data)
        : data_(data), head_(std::size_t{1} << kHashBits, -1), chain_(data.size(), -1) {}

    std::vector<std::uint8_t> run() {
        out_ = {0, 0}; // flags: no extra header bytes
        out_.push_back(static_cast<std::uint8_t>(data_.size() >> 16));
        out_.push_back(static_cast<std::uint8_t>(data_.size() >> 8));
        out_.push_back(static_cast<std::uint8_t>(data_.size()));
        std::size_t at = 0;
        while (at < data_.size()) {
            std::size_t length = 0, distance = 0;
            findMatch(at, length, distance);
            if (length == 0) {
                insert(at);
                ++at;
                continue;
            }
            emitMatch(at, length, distance);
            for (std::size_t i = 0; i < length; ++i)
                insert(at + i);
            at += length;
        }
        literalEnd_ = data_.size();
        flushLiterals(3);
        out_.push_back(static_cast<std::uint8_t>(0xFC | pendingCount()));
        appendPending(pendingCount());
        return std::move(out_);
    }

private:
    std::size_t hashAt(std::size_t at) const {
        unsigned h = data_[at] * 2654435761u ^ data_[at + 1] * 40503u ^ data_[at + 2];
        return (h * 2654435761u) >> (32 - kHashBits);
    }
    void insert(std::size_t at) {
        if (at + 3 > data_.size())
            return;
        std::size_t h = hashAt(at);
        chain_[at] = head_[h];
        head_[h] = static_cast<std::ptrdiff_t>(at);
    }

    // The longest match at `at` that has a command (the shorter command wins between equals).
    void findMatch(std::size_t at, std::size_t& bestLength, std::size_t& bestDistance) const {
        bestLength = 0;
        if (at + 3 > data_.size())
            return;
        std::size_t limit = std::min(kLongestMatch, data_.size() - at);
        std::ptrdiff_t candidate = head_[hashAt(at)];
        for (int depth = 0; candidate >= 0 && depth < kChainDepth; ++depth) {
            std::size_t distance = at - static_cast<std::size_t>(candidate);
            if (distance > kWindow)
                break;
            std::size_t length = 0;
            while (length < limit && data_[candidate + length] == data_[at + length])
                ++length;
            while (length >= 3 && !commandBytes(length, distance))
                --length;
            if (length >= 3 && length > bestLength) {
                bestLength = length;
                bestDistance = distance;
            }
            candidate = chain_[candidate];
        }
    }

    std::size_t pendingCount() const { return literalEnd_ - literalStart_; }

    void appendPending(std::size_t count) {
        out_.insert(out_.end(), data_.begin() + static_cast<std::ptrdiff_t>(literalStart_),
                    data_.begin() + static_cast<std::ptrdiff_t>(literalStart_ + count));
        literalStart_ += count;
    }

    // Sends waiting literals in runs of 4 to 112 until at most `keep` remain.
    void flushLiterals(std::size_t keep) {
        while (pendingCount() > keep) {
            std::size_t run = std::min<std::size_t>(112, pendingCount() & ~std::size_t{3});
            if (run == 0)
                break;
            out_.push_back(static_cast<std::uint8_t>(0xE0 + run / 4 - 1));
            appendPending(run);
        }
    }

    void emitMatch(std::size_t at, std::size_t length, std::size_t distance) {
        literalEnd_ = at;
        flushLiterals(3);
        const std::size_t literals = pendingCount();
        const std::size_t d = distance - 1;
        switch (commandBytes(length, distance)) {
        case 2:
            out_.push_back(static_cast<std::uint8_t>(((d >> 3) & 0x60) | ((length - 3) << 2) | literals));
            out_.push_back(static_cast<std::uint8_t>(d));
            break;
        case 3:
            out_.push_back(static_cast<std::uint8_t>(0x80 | (length - 4)));
            out_.push_back(static_cast<std::uint8_t>(literals << 6 | d >> 8));
            out_.push_back(static_cast<std::uint8_t>(d));
            break;
        default:
            out_.push_back(
                static_cast<std::uint8_t>(0xC0 | ((d >> 12) & 0x10) | (((length - 5) >> 8) << 2) | literals));
            out_.push_back(static_cast<std::uint8_t>(d >> 8));
            out_.push_back(static_cast<std::uint8_t>(d));
            out_.push_back(static_cast<std::uint8_t>(length - 5));
            break;
        }
        appendPending(literals);
        literalStart_ = literalEnd_ = at + length;
    }

    std::span<const std::uint8_t> data_;
    std::vector<std::ptrdiff_t> head_;
    std::vector<std::ptrdiff_t> chain_;
    std::vector<std::uint8_t> out_;
    std::size_t literalStart_ = 0; ///< first literal not yet sent
    std::size_t literalEnd_ = 0;   ///< end of the literals waiting to be sent
};

} // namespace

std::vector<std::uint8_t> lz77Pack(std::span<const std::uint8_t> data) {
    if (data.size() >= (std::size_t{1} << 24))
        throw std::length_error("lz77Pack: more than 16 MiB");
    return Packer(data).run();
}

} // namespace q71::encoder
