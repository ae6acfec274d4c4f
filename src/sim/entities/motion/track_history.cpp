#include "sim/entities/motion/track_history.h"

namespace q71 {

TrackHistory::TrackHistory(int capacity) : samples_(static_cast<std::size_t>(capacity > 0 ? capacity : 1)) {}

void TrackHistory::clear() {
    for (MotionSample& sample : samples_)
        sample.fill(0.0);
    writeIndex_ = 0;
    count_ = 0;
}

void TrackHistory::push(const MotionSample& sample) {
    const int capacity = static_cast<int>(samples_.size());
    samples_[static_cast<std::size_t>(writeIndex_)] = sample;
    writeIndex_ = (writeIndex_ + 1) % capacity;
    if (count_ < capacity)
        ++count_;
}

MotionSample TrackHistory::mean() const {
    MotionSample mean{};
    if (count_ == 0)
        return mean;
    for (int i = 0; i < count_; ++i)
        for (int value : {kSampleX, kSampleY, kSampleZ, kSamplePitch, kSampleRoll})
            mean[static_cast<std::size_t>(value)] += samples_[static_cast<std::size_t>(i)][static_cast<std::size_t>(value)];
    for (int value : {kSampleX, kSampleY, kSampleZ, kSamplePitch, kSampleRoll})
        mean[static_cast<std::size_t>(value)] /= count_;
    // While the ring fills, the oldest sample is the first; once full, the one about to be overwritten.
    mean[kSampleHeading] = samples_[static_cast<std::size_t>(writeIndex_ % count_)][kSampleHeading];
    return mean;
}

} // namespace q71
