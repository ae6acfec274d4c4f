#pragma once
// The playback of one movie on its own thread: frames are decoded and shown in step with the
// sound (or, without sound, with the movie's frame time) until the movie ends or a stop is
// requested; then everything is released and the notify window is told.

#include "media/movie/movie_audio_out.h"
#include "media/movie/movie_decoder.h"
#include "media/movie/movie_display.h"
#include "platform/window/window_types.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <string_view>

namespace q71 {

/// The identifier of the WM_COMMAND that tells the notify window a movie has ended.
inline constexpr WParam kMovieEndCommand = 31112;
/// Pictures without sound to pace them (or after their sound has run out) keep this rate.
inline constexpr int kMovieFramesPerSecond = 15;

// Bits of the playback flags.
inline constexpr std::uint32_t kPlayOnOwnThread = 0x10000;
inline constexpr std::uint32_t kPlayPollsStop = 0x20000;
inline constexpr std::uint32_t kPlayHasDirectSound = 0x100000;
inline constexpr std::uint32_t kPlayHasPrimaryBuffer = 0x200000;
inline constexpr std::uint32_t kPlaySound = 0x400000;
inline constexpr std::uint32_t kPlayPresentation = 0xFF; ///< the presentation flags of the codec

/// Everything one playing movie owns.
struct MoviePlayback {
    MoviePlayback(SoundDevice* device, bool withSound) : audio(device), decoder(audio, withSound) {}

    MovieAudioOut audio;
    MovieDecoder decoder;
    MovieDisplay* display = nullptr;
    WindowHandle notify{};
    std::uint32_t flags = 0;
    int x = 0;
    int y = 0;
    const std::atomic<int>* stopRequest = nullptr;
};

/// Opens the movie's decoder for playback with the given flags; null when the file cannot be opened.
std::unique_ptr<MoviePlayback> movieOpenPlayback(std::string_view path, SoundDevice* device, std::uint32_t flags);

/// Plays the movie to its end or to a stop request, releases it and posts the end notification.
void movieRunPlayback(std::unique_ptr<MoviePlayback> playback);

} // namespace q71
