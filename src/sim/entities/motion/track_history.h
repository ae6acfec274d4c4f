#pragma once
// A short ring of motion samples. A motion model pushes its pose once per main-loop pass and
// reads back the mean of the last few, on which collisions are tested: a hull's collision
// position trails its true one by a few passes and does not jitter with the sub-steps.

#include <array>
#include <cstddef>
#include <vector>

namespace q71 {

/// One sample: x, y, z, heading, pitch, roll and seven values kept at 0.
using MotionSample = std::array<double, 13>;

/// Indexes of a MotionSample.
enum MotionSampleValue : int {
    kSampleX = 0,
    kSampleY = 1,
    kSampleZ = 2,
    kSampleHeading = 3,
    kSamplePitch = 4,
    kSampleRoll = 5,
};

class TrackHistory {
public:
    /// A ring of `capacity` zeroed samples.
    explicit TrackHistory(int capacity);

    /// Zeroes the samples and empties the ring.
    void clear();
    /// Writes a sample over the oldest once the ring is full.
    void push(const MotionSample& sample);
    /// The mean of the samples held: x, y, z, pitch and roll averaged, the heading of the oldest
    /// sample (headings do not average across north), the other values 0. All 0 when empty.
    MotionSample mean() const;
    /// Number of samples held.
    int count() const { return count_; }

private:
    std::vector<MotionSample> samples_;
    int writeIndex_ = 0;
    int count_ = 0;
};

} // namespace q71
