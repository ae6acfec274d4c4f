#pragma once
// The two ADPCM sound forms of movie files, both decoded to 16-bit stereo at 22,050 Hz.

#include <cstdint>
#include <span>
#include <vector>

namespace q71 {

/// Blocks of 30 bytes, 28 sample pairs each, after a 12-byte header whose 16-bit words 2-5 give
/// the starting previous samples (left current, left previous, right current, right previous).
inline constexpr int kXaHeaderSize = 12;
inline constexpr int kXaBlockSize = 30;
inline constexpr int kXaSamplesPerBlock = 28;

/// The prediction filters of the block form, scaled by 256.
inline constexpr int kXaFilters[4][2] = {{0, 0}, {240, 0}, {460, -208}, {392, -220}};

/// Decodes one chunk of the block form; appends interleaved left/right samples to `out`.
/// False (nothing appended) for a chunk shorter than its header.
bool adpcmDecodeBlocks(std::span<const std::uint8_t> chunk, std::vector<std::int16_t>& out);

/// The state of one channel of the step form, kept across chunks.
struct ImaChannel {
    int predictor = 0;
    int stepIndex = 0;
};

/// The 89 step sizes of the step form.
extern const std::int16_t kImaSteps[89];

/// The next sample of one channel for one 4-bit code, updating the channel.
std::int16_t imaDecodeNibble(ImaChannel& channel, unsigned code);

/// Decodes one chunk of the step form (one byte per sample pair, left in the high 4 bits).
void adpcmDecodeSteps(std::span<const std::uint8_t> chunk, ImaChannel& left, ImaChannel& right,
                      std::vector<std::int16_t>& out);

} // namespace q71
