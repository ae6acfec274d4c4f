#pragma once
// Helpers of the movie tests: a codec set up for the game's 5-6-5 display, and pictures to
// encode.

#include "media/movie/movie_codec.h"
#include "movie_encoder/images.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace q71::test {

inline MovieCodec codecFor565() {
    MovieCodec codec;
    codec_setup(codec, displayFormatOf(MovieSurface{}));
    return codec;
}

/// A picture of smooth gradients, soft waves and a soft-edged disc that moves with each frame:
/// the kind of picture the data set's movies are made of.
inline encoder::RgbImage testPicture(int width, int height, int frame = 0) {
    encoder::RgbImage image(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            double wave = std::sin(x / 9.0) * std::cos(y / 7.0);
            double dx = x - (width / 3.0 + 4 * frame), dy = y - height / 2.0;
            double disc = std::clamp(1.5 - std::sqrt(dx * dx + dy * dy) / 8.0, 0.0, 1.0);
            std::uint8_t* p = image.at(x, y);
            p[0] = static_cast<std::uint8_t>(40 + 100 * x / width + 90 * disc);
            p[1] = static_cast<std::uint8_t>(60 + 80 * y / height + 20 * wave + 60 * disc);
            p[2] = static_cast<std::uint8_t>(120 + 50 * wave - 60 * disc);
        }
    return image;
}

/// The colour channels (0-255) of the left pixel of a 5-6-5 frame value.
inline void channels565(std::uint32_t value, int out[3]) {
    out[0] = static_cast<int>((value >> 11) & 31) * 255 / 31;
    out[1] = static_cast<int>((value >> 5) & 63) * 255 / 63;
    out[2] = static_cast<int>(value & 31) * 255 / 31;
}

/// Peak signal-to-noise ratio in dB of a decoded frame against the picture it was made from.
inline double framePsnr(const MovieCodec& codec, const encoder::RgbImage& image, int margin) {
    double sum = 0;
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            int shown[3];
            channels565(codec.current[static_cast<std::size_t>(y) * codec.width + x], shown);
            const std::uint8_t* want = image.at(x, y);
            for (int k = 0; k < 3; ++k) {
                double w = margin + want[k] * (255 - 2 * margin) / 255;
                sum += (shown[k] - w) * (shown[k] - w);
            }
        }
    double mse = sum / (image.width * image.height * 3.0);
    return 10 * std::log10(255.0 * 255.0 / std::max(mse, 1e-9));
}

} // namespace q71::test

#include "movie_encoder/movie_writer.h"
#include "movie_encoder/palette_frames.h"

#include <vector>

namespace q71::test {

/// A flat 320 by 240 key frame whose colour tells its number: red (5 bits) = number, green 40,
/// blue 200.
inline std::vector<std::uint8_t> numberedKeyFrame(int number) {
    encoder::IndexedImage image(320, 240);
    image.colours = 1;
    image.palette[0] = static_cast<std::uint8_t>(number * 8);
    image.palette[1] = 40;
    image.palette[2] = 200;
    return encoder::encodeKeyFrame(image);
}

/// The number of the frame a 5-6-5 pixel shows, as numberedKeyFrame coloured it; -1 for black.
inline int frameNumberOf(std::uint16_t pixel) { return pixel == 0 ? -1 : pixel >> 11; }

/// A movie of numbered frames; with sound, one chunk of a quarter-tone level per frame (1470
/// sample pairs, 15 frames a second) for `soundFrames` frames.
inline std::vector<std::uint8_t> numberedMovie(int frames, encoder::SoundForm form, int soundFrames = -1) {
    if (soundFrames < 0)
        soundFrames = frames;
    encoder::MovieWriter writer(form);
    std::vector<std::int16_t> sound(1470 * 2, 3000);
    for (int i = 0; i < frames; ++i) {
        if (i < soundFrames)
            writer.addSound(sound);
        writer.addFrame(FrameKind::Key, numberedKeyFrame(i));
    }
    return writer.finish();
}

} // namespace q71::test
