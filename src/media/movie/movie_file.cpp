#include "media/movie/movie_file.h"

#include <algorithm>
#include <cstring>

namespace q71 {

namespace {

struct NamedChunk {
    const char* id;
    ChunkType type;
};

constexpr NamedChunk kChunks[] = {
    {"SCHl", {ChunkRole::AudioHeader}},      {"1SNh", {ChunkRole::AudioHeader}},
    {"SEAD", {ChunkRole::OldAudioHeader}},   {"SCDl", {ChunkRole::AudioBlocks}},
    {"1SNd", {ChunkRole::AudioBlocks}},      {"SNDC", {ChunkRole::AudioSteps}},
    {"SCEl", {ChunkRole::AudioEnd}},         {"1SNe", {ChunkRole::AudioEnd}},
    {"SEND", {ChunkRole::AudioEnd}},         {"kVGT", {ChunkRole::Video, FrameKind::Key}},
    {"TGVk", {ChunkRole::Video, FrameKind::Key}},       {"fVGT", {ChunkRole::Video, FrameKind::Blocks}},
    {"TGVf", {ChunkRole::Video, FrameKind::Blocks}},    {"pQGT", {ChunkRole::Video, FrameKind::Transform}},
    {"MKTf", {ChunkRole::Video, FrameKind::Transform}}, {"pIQT", {ChunkRole::Video, FrameKind::Intra}},
    {"KT2f", {ChunkRole::Video, FrameKind::Intra}},
};

int resultOf(ChunkRole role) {
    switch (role) {
    case ChunkRole::AudioHeader:
    case ChunkRole::OldAudioHeader:
        return kChunkAudioHeader;
    case ChunkRole::AudioBlocks:
    case ChunkRole::AudioSteps:
        return kChunkAudio;
    case ChunkRole::AudioEnd:
        return kChunkAudioEnd;
    case ChunkRole::Video:
        return kChunkVideo;
    case ChunkRole::Unknown:
        break;
    }
    return kChunkError;
}

} // namespace

ChunkType chunkTypeOf(const std::array<char, 4>& id) {
    for (const NamedChunk& c : kChunks)
        if (std::memcmp(c.id, id.data(), 4) == 0)
            return c.type;
    return {};
}

MovieFile::~MovieFile() { close(); }

bool MovieFile::open(std::string_view path) {
    close();
    file_ = mmioOpen(path, nullptr, MMIO_READ | MMIO_DENYWRITE);
    if (file_ == MmioHandle::none)
        return false;
    buffer_.resize(32768);
    at_ = end_ = 0;
    hasSound_ = false;
    if (fill(4) >= 4) {
        std::array<char, 4> first{};
        std::memcpy(first.data(), buffer_.data() + at_, 4);
        ChunkRole role = chunkTypeOf(first).role;
        hasSound_ = role == ChunkRole::AudioHeader || role == ChunkRole::OldAudioHeader;
    }
    return true;
}

void MovieFile::close() {
    if (file_ != MmioHandle::none)
        mmioClose(file_);
    file_ = MmioHandle::none;
    at_ = end_ = 0;
}

std::size_t MovieFile::fill(std::size_t bytes) {
    if (end_ - at_ >= bytes || file_ == MmioHandle::none)
        return end_ - at_;
    // What is left moves to the front, and the rest of the buffer is read behind it.
    std::memmove(buffer_.data(), buffer_.data() + at_, end_ - at_);
    end_ -= at_;
    at_ = 0;
    while (end_ < bytes) {
        const int32_t got = mmioRead(file_, buffer_.data() + end_, static_cast<int32_t>(buffer_.size() - end_));
        if (got <= 0)
            break;
        end_ += static_cast<std::size_t>(got);
    }
    return end_;
}

std::size_t MovieFile::take(void* into, std::size_t bytes) {
    auto* out = static_cast<std::uint8_t*>(into);
    std::size_t done = 0;
    while (done < bytes) {
        const std::size_t buffered = fill(1);
        if (buffered == 0)
            break;
        const std::size_t n = std::min(buffered, bytes - done);
        std::memcpy(out + done, buffer_.data() + at_, n);
        at_ += n;
        done += n;
    }
    return done;
}

void MovieFile::skip(std::uint32_t bytes) {
    const std::size_t buffered = std::min<std::size_t>(bytes, end_ - at_);
    at_ += buffered;
    if (bytes > buffered)
        mmioSeek(file_, static_cast<int32_t>(bytes - buffered), SEEK_CUR);
}

int MovieFile::readChunk(MovieChunk& chunk) {
    chunk.payload.clear();
    if (file_ == MmioHandle::none)
        return kChunkEndOfFile;
    std::uint8_t header[8];
    std::size_t got = take(header, sizeof header);
    if (got == 0)
        return kChunkEndOfFile;
    if (got < sizeof header)
        return kChunkError;
    std::memcpy(chunk.id.data(), header, 4);
    chunk.type = chunkTypeOf(chunk.id);
    std::uint32_t size = header[4] | header[5] << 8 | header[6] << 16 | static_cast<std::uint32_t>(header[7]) << 24;
    if (size < 8 || size - 8 > kMaxChunkPayload)
        return kChunkError;
    if (chunk.type.role == ChunkRole::Unknown) {
        skip(size - 8); // dropped unread
        return kChunkError;
    }
    chunk.payload.resize(size - 8);
    if (take(chunk.payload.data(), chunk.payload.size()) != chunk.payload.size()) {
        chunk.payload.clear();
        return kChunkError;
    }
    return resultOf(chunk.type.role);
}

} // namespace q71
