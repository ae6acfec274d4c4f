#pragma once
// The movie codec: the state that turns video chunks of the four frame kinds into frames of
// 32-bit values already in the display's pixel format, and presents them on the display.
//
// Kinds 1 and 2 are palettised 8-bit frames (a compressed key frame, and following frames built
// from 4 by 4 blocks); kinds 3 and 4 are block-transform frames on 16 by 16 macroblocks. Every
// decoder checks its chunk: a malformed frame is refused (false) and never makes the codec read
// or write outside its chunk or its buffers.

#include "media/movie/movie_surface.h"

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace q71 {

/// Frame kinds as the movie file names them.
enum class FrameKind : int { Key = 1, Blocks = 2, Transform = 3, Intra = 4 };

struct MovieCodec {
    /// Capacity of each frame buffer: 655,360 bytes of 32-bit values.
    static constexpr int kFrameValues = 0xA0000 / 4;

    int width = 0;
    int height = 0;
    int quantiser = 0;
    bool studioRange = false;

    /// Current and previous frame, one value per pixel, pitch = width; swapped after every frame.
    std::vector<std::uint32_t> current;
    std::vector<std::uint32_t> previous;

    // Kinds 1 and 2: the 8-bit frames, the stored palette and its frame values.
    std::vector<std::uint8_t> current8;
    std::vector<std::uint8_t> previous8;
    bool hasKeyFrame = false;
    std::array<std::uint8_t, 256 * 3> palette{};
    std::array<std::uint32_t, 256> paletteValues{};

    // Built at set-up for the display's pixel format.
    DisplayFormat format;
    std::array<std::uint32_t, 128> luminance{};     ///< L
    std::array<std::uint32_t, 128> blueDifference{}; ///< C1
    std::array<std::uint32_t, 128> redDifference{};  ///< C2
    std::array<std::uint32_t, 1024> redSaturation{};
    std::array<std::uint32_t, 1024> greenSaturation{};
    std::array<std::uint32_t, 1024> blueSaturation{};
    bool setUp = false;
};

/// Allocates the frame buffers (zero-filled) and builds the colour and saturation tables for the
/// pixel format; a second call does nothing.
void codec_setup(MovieCodec& codec, const DisplayFormat& format);

/// Frees the buffers of a set-up codec.
void codec_release(MovieCodec& codec);

/// Decodes one video chunk of the given kind into the current frame buffer; false when refused.
bool codec_decode_frame(MovieCodec& codec, std::span<const std::uint8_t> chunk, FrameKind kind);

/// The frame buffers change roles, as after every frame of a movie.
void codec_swap_frames(MovieCodec& codec);

/// Presentation flags: 0x01 adds the x position, 0x02 the y position, 0x40 doubles every value
/// into two pixels, 0x20 passes over one display row after each frame row.
inline constexpr std::uint32_t kPresentAtX = 0x01;
inline constexpr std::uint32_t kPresentAtY = 0x02;
inline constexpr std::uint32_t kPresentSkipRows = 0x20;
inline constexpr std::uint32_t kPresentDoubleWidth = 0x40;

/// Copies the current frame onto the surface, clipped to it.
void codec_present_frame(const MovieCodec& codec, const MovieSurface& surface, std::uint32_t flags, int x, int y);

} // namespace q71
