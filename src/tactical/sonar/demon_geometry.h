#pragma once
// The arithmetic of the DEMON page: frequency across 234 columns from x 16 on three full
// scales, the rate shown for the cursor frequency and the divisor, the divisor's steps, and the
// lines a tracked contact's blade rate and its harmonics leave on a row.

#include <array>
#include <cstdint>
#include <span>

namespace q71 {

class DisplayNoise;

inline constexpr int kDemonLeft = 16; ///< x of 0 Hz
inline constexpr int kDemonColumns = 234;
inline constexpr int kDemonRight = 250; ///< first x right of the lines
/// Full scales (Hz) by the DEMON scale setting.
inline constexpr std::array<int, 3> kDemonScales = {20, 50, 150};
inline constexpr int kDemonMinDivisor = 6;
inline constexpr int kDemonMaxDivisor = 30;

/// The full scale of a scale index (held within 0 to 2).
int demonFullScale(int scale);
/// The x of a frequency on a full scale.
int demonX(double frequency, int fullScale);
/// The frequency under an x (held within 16 to 250).
double demonXFrequency(int x, int fullScale);
/// The rate of a frequency with a divisor: trunc(f × 60 / N), at most 99.
int demonRate(double frequency, int divisor);
/// The divisor after a rocker press: value 0 steps up (up to 30), any other down (down to 6).
int demonStepDivisor(int divisor, int rockerValue);
/// How far a harmonic of amplitude a spreads either side of its centre; 0: it draws no line.
int demonLineHalfWidth(int amplitude);

/// What a row of the DEMON waterfall is drawn from.
struct DemonRowInput {
    int background = 0;   ///< the broadband row's self-noise
    double ambient = 0.0; ///< the water's ambient noise now
    int level = 0;        ///< the tracker's signal level
    int speed = 0;        ///< the history's speed entry (the modulation)
    int lineFactor = 0;   ///< the contact's line factor q (0: no entity, no lines)
    int harmonics = 0;    ///< the contact's harmonic count H
    int fullScale = 20;
};

/// Draws one row (the picture's bytes of one y, levels 0 to 100): the speckle over x 16 to 249,
/// then the blade-rate line and its harmonics, never outside the row.
void demonDrawRow(std::span<std::uint8_t> row, const DemonRowInput& in, DisplayNoise& noise);

} // namespace q71
