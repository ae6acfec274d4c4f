#pragma once
// The movie file: a run of chunks, each an 8-byte header (four identifier characters, then a
// little-endian u32 size that counts the header) and its payload. A movie has sound exactly
// when it starts with an audio header chunk. It is read through the multimedia file functions,
// so a movie may also be a member of a container ("movies.agg+intro.wve").

#include "media/movie/movie_codec.h"
#include "platform/mmio/mmio.h"

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

namespace q71 {

/// What a chunk is, by its identifier.
enum class ChunkRole {
    AudioHeader,    ///< "SCHl", "1SNh": resets the sound state
    OldAudioHeader, ///< "SEAD": skipped
    AudioBlocks,    ///< "SCDl", "1SNd": the block form of ADPCM
    AudioSteps,     ///< "SNDC": the step form of ADPCM, stereo
    AudioEnd,       ///< "SCEl", "1SNe", "SEND"
    Video,          ///< one of the four frame kinds
    Unknown,
};

struct ChunkType {
    ChunkRole role = ChunkRole::Unknown;
    FrameKind kind = FrameKind::Key; ///< for video chunks
};

/// The role of a chunk identifier.
ChunkType chunkTypeOf(const std::array<char, 4>& id);

/// The reader's results, as the player counts them.
inline constexpr int kChunkAudioHeader = 0;
inline constexpr int kChunkVideo = 1;
inline constexpr int kChunkAudio = 2;
inline constexpr int kChunkAudioEnd = 3;
inline constexpr int kChunkEndOfFile = -1;
inline constexpr int kChunkError = -2;

/// The largest payload a chunk may announce; a bigger size is taken as damage.
inline constexpr std::uint32_t kMaxChunkPayload = 4 * 1024 * 1024;

struct MovieChunk {
    std::array<char, 4> id{};
    ChunkType type;
    std::vector<std::uint8_t> payload;
};

class MovieFile {
public:
    MovieFile() = default;
    ~MovieFile();
    MovieFile(const MovieFile&) = delete;
    MovieFile& operator=(const MovieFile&) = delete;

    /// Opens a program path (or a container member) read through a 32,768-byte buffer; false
    /// when it cannot be opened.
    bool open(std::string_view path);
    void close();
    bool isOpen() const { return file_ != MmioHandle::none; }

    /// True when the file starts with "SEAD", "SCHl" or "1SNh".
    bool hasSound() const { return hasSound_; }

    /// Reads the next chunk: the result of its role (kChunkAudioHeader, kChunkVideo, kChunkAudio,
    /// kChunkAudioEnd), kChunkEndOfFile when nothing is left, or kChunkError for a short or
    /// oversized chunk or an unknown identifier (its payload is not kept).
    int readChunk(MovieChunk& chunk);

private:
    /// Tops the buffer up to at least `bytes` unread bytes, as far as the file goes; how many
    /// unread bytes it then holds.
    std::size_t fill(std::size_t bytes);
    /// Copies up to `bytes` bytes out; the count copied.
    std::size_t take(void* into, std::size_t bytes);
    /// Passes over `bytes` bytes without reading them when they are not buffered.
    void skip(std::uint32_t bytes);

    MmioHandle file_ = MmioHandle::none;
    std::vector<std::uint8_t> buffer_;
    std::size_t at_ = 0;  ///< the next unread byte of the buffer
    std::size_t end_ = 0; ///< the end of what the buffer holds
    bool hasSound_ = false;
};

} // namespace q71
