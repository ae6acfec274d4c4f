#include "media/movie/movie_file.h"

#include "platform/files/path.h"

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
    std::FILE* file = fileOpen(path, "rb");
    if (!file)
        return false;
    attach(file);
    return true;
}

void MovieFile::attach(std::FILE* file) {
    close();
    file_ = file;
    buffer_.resize(32768);
    std::setvbuf(file_, buffer_.data(), _IOFBF, buffer_.size());
    std::array<char, 4> first{};
    hasSound_ = false;
    if (std::fread(first.data(), 1, 4, file_) == 4) {
        ChunkRole role = chunkTypeOf(first).role;
        hasSound_ = role == ChunkRole::AudioHeader || role == ChunkRole::OldAudioHeader;
    }
    std::rewind(file_);
}

void MovieFile::close() {
    if (file_)
        std::fclose(file_);
    file_ = nullptr;
}

int MovieFile::readChunk(MovieChunk& chunk) {
    chunk.payload.clear();
    if (!file_)
        return kChunkEndOfFile;
    std::uint8_t header[8];
    std::size_t got = std::fread(header, 1, sizeof header, file_);
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
        std::fseek(file_, static_cast<long>(size - 8), SEEK_CUR); // dropped unread
        return kChunkError;
    }
    chunk.payload.resize(size - 8);
    if (std::fread(chunk.payload.data(), 1, chunk.payload.size(), file_) != chunk.payload.size()) {
        chunk.payload.clear();
        return kChunkError;
    }
    return resultOf(chunk.type.role);
}

} // namespace q71
