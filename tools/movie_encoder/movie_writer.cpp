#include "movie_encoder/movie_writer.h"

#include <stdexcept>

namespace q71::encoder {

MovieWriter::MovieWriter(SoundForm form) : form_(form) {
    if (form_ == SoundForm::Blocks)
        chunk("SCHl", {});
    else if (form_ == SoundForm::Steps)
        chunk("SEAD", {});
}

void MovieWriter::chunk(const char* id, std::span<const std::uint8_t> payload) {
    std::size_t size = payload.size() + 8;
    if (size > 0xFFFFFFFFu)
        throw std::length_error("movie chunk too large");
    bytes_.insert(bytes_.end(), id, id + 4);
    for (int i = 0; i < 4; ++i)
        bytes_.push_back(static_cast<std::uint8_t>(size >> (8 * i)));
    bytes_.insert(bytes_.end(), payload.begin(), payload.end());
}

void MovieWriter::addSound(std::span<const std::int16_t> stereo) {
    if (form_ == SoundForm::Blocks)
        chunk("SCDl", blocks_.encodeChunk(stereo));
    else if (form_ == SoundForm::Steps)
        chunk("SNDC", steps_.encodeChunk(stereo));
}

void MovieWriter::addFrame(FrameKind kind, std::span<const std::uint8_t> payload) {
    static constexpr const char* kIds[] = {"kVGT", "fVGT", "pQGT", "pIQT"};
    chunk(kIds[static_cast<int>(kind) - 1], payload);
}

std::vector<std::uint8_t> MovieWriter::finish() {
    if (form_ == SoundForm::Blocks)
        chunk("SCEl", {});
    else if (form_ == SoundForm::Steps)
        chunk("SEND", {});
    return std::move(bytes_);
}

} // namespace q71::encoder
