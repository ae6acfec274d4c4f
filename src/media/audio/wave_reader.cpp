#include "media/audio/wave_reader.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace q71 {
namespace {

constexpr std::uint64_t kFormTypeEnd = 12; // "RIFF", size, "WAVE"

std::uint32_t u32(const std::uint8_t* p) {
    return p[0] | p[1] << 8 | p[2] << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}
std::uint16_t u16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}

WaveError readWhole(WaveReader& reader, WaveFormat& format, std::vector<std::uint8_t>& data) {
    if (WaveError e = reader.startData(); e != WaveError::none)
        return e;
    try {
        data.resize(reader.dataBytes());
    } catch (const std::bad_alloc&) {
        return WaveError::outOfMemory;
    }
    if (reader.read(data) != data.size()) {
        data.clear();
        return WaveError::dataShort;
    }
    format = reader.format();
    return WaveError::none;
}

} // namespace

WaveError WaveReader::open(std::string_view name) {
    std::unique_ptr<WaveStream> stream = waveOpenStream(name);
    if (!stream)
        return WaveError::cannotOpen;
    return open(std::move(stream));
}

WaveError WaveReader::open(std::unique_ptr<WaveStream> stream) {
    stream_ = std::move(stream);
    format_ = {};
    dataBytes_ = dataLeft_ = 0;
    std::uint8_t header[kFormTypeEnd];
    if (!stream_->seek(0) || stream_->read(header, sizeof header) != sizeof header ||
        std::memcmp(header, "RIFF", 4) != 0 || std::memcmp(header + 8, "WAVE", 4) != 0) {
        stream_.reset();
        return WaveError::notWave;
    }
    // Writers that stream their output often leave the RIFF size too large; the file's end
    // bounds every chunk all the same.
    riffEnd_ = std::min<std::uint64_t>(8 + static_cast<std::uint64_t>(u32(header + 4)), stream_->size());
    WaveError error = readFormat();
    if (error != WaveError::none)
        stream_.reset();
    return error;
}

bool WaveReader::findChunk(const char (&id)[5], Chunk& chunk) {
    std::uint64_t offset = kFormTypeEnd;
    while (offset + 8 <= riffEnd_) {
        std::uint8_t header[8];
        if (!stream_->seek(offset) || stream_->read(header, sizeof header) != sizeof header)
            return false;
        chunk.start = offset + 8;
        chunk.size = u32(header + 4);
        if (std::memcmp(header, id, 4) == 0)
            return true;
        offset = chunk.start + chunk.size + (chunk.size & 1); // chunks are padded to even sizes
    }
    return false;
}

WaveError WaveReader::readFormat() {
    Chunk chunk;
    if (!findChunk("fmt ", chunk))
        return WaveError::notWave;
    std::uint8_t bytes[16];
    if (chunk.size < sizeof bytes || chunk.start + sizeof bytes > riffEnd_ ||
        stream_->read(bytes, sizeof bytes) != sizeof bytes)
        return WaveError::badFormat;
    format_.formatTag = u16(bytes);
    format_.channels = u16(bytes + 2);
    format_.samplesPerSec = u32(bytes + 4);
    format_.avgBytesPerSec = u32(bytes + 8);
    format_.blockAlign = u16(bytes + 12);
    format_.bitsPerSample = u16(bytes + 14);
    return waveFormatIsPlayable(format_) ? WaveError::none : WaveError::badFormat;
}

WaveError WaveReader::startData() {
    dataBytes_ = dataLeft_ = 0;
    if (!stream_)
        return WaveError::cannotOpen;
    Chunk chunk;
    if (!findChunk("data", chunk))
        return WaveError::notWave;
    if (chunk.start + chunk.size > riffEnd_)
        return WaveError::dataShort;
    if (!stream_->seek(chunk.start))
        return WaveError::dataShort;
    dataBytes_ = dataLeft_ = chunk.size - chunk.size % format_.blockAlign;
    return WaveError::none;
}

std::size_t WaveReader::read(std::span<std::uint8_t> into) {
    const std::size_t wanted = std::min<std::size_t>(into.size(), dataLeft_);
    if (!stream_ || wanted == 0)
        return 0; // nothing to ask the disk for
    const std::size_t got = stream_->read(into.data(), wanted);
    dataLeft_ = got == wanted ? dataLeft_ - static_cast<std::uint32_t>(got) : 0;
    return got;
}

WaveError waveReadAll(std::string_view name, WaveFormat& format, std::vector<std::uint8_t>& data) {
    WaveReader reader;
    if (WaveError e = reader.open(name); e != WaveError::none)
        return e;
    return readWhole(reader, format, data);
}

WaveError waveReadAll(std::vector<std::uint8_t> bytes, WaveFormat& format, std::vector<std::uint8_t>& data) {
    WaveReader reader;
    if (WaveError e = reader.open(waveMemoryStream(std::move(bytes))); e != WaveError::none)
        return e;
    return readWhole(reader, format, data);
}

} // namespace q71
