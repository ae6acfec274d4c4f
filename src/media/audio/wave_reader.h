#pragma once
// Reads RIFF wave files: the format from the "fmt " chunk and the sound from the "data" chunk,
// whole or a piece at a time (for streaming). Only formats the mixer can play are accepted,
// so a bad wave is refused here, with its error code, and never reaches the mixer.

#include "media/audio/wave_stream.h"
#include "platform/sound/sound_format.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

namespace q71 {

enum class WaveError : std::uint32_t {
    none = 0,
    outOfMemory = 0xE000,
    cannotOpen = 0xE100,
    notWave = 0xE101,   ///< not a RIFF WAVE file, or a chunk is missing
    badFormat = 0xE102, ///< the format cannot be read, or is not one the mixer plays
    dataShort = 0xE103, ///< the data ends before its chunk says
};

class WaveReader {
public:
    /// Opens a wave by program path (or "container+member") and reads its format.
    WaveError open(std::string_view name);
    /// Opens a wave over an already open stream and reads its format.
    WaveError open(std::unique_ptr<WaveStream> stream);
    /// The format read by open.
    const WaveFormat& format() const { return format_; }
    /// Goes to the start of the sound data (again); its length is then dataBytes().
    WaveError startData();
    /// Bytes of sound data, cut down to whole blocks.
    std::uint32_t dataBytes() const { return dataBytes_; }
    /// Reads the next sound bytes; the count read, less than asked only at the end of the data.
    std::size_t read(std::span<std::uint8_t> into);

private:
    struct Chunk {
        std::uint64_t start = 0; ///< offset of the chunk's contents
        std::uint32_t size = 0;
    };
    bool findChunk(const char (&id)[5], Chunk& chunk);
    WaveError readFormat();

    std::unique_ptr<WaveStream> stream_;
    std::uint64_t riffEnd_ = 0;
    WaveFormat format_;
    std::uint32_t dataBytes_ = 0;
    std::uint32_t dataLeft_ = 0;
};

/// Reads a whole wave: its format and its data cut down to whole blocks.
WaveError waveReadAll(std::string_view name, WaveFormat& format, std::vector<std::uint8_t>& data);
/// The same for a wave already in memory.
WaveError waveReadAll(std::vector<std::uint8_t> bytes, WaveFormat& format, std::vector<std::uint8_t>& data);

} // namespace q71
