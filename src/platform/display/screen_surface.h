#pragma once
// The one screen of the game: 640 by 480 pixels of RGB565, as the display mode of the original.
// The drawing layer draws into it and marks it changed; the display backend shows it when the
// mark is set and clears the mark. The mark is atomic because playback threads may draw too; a
// thread other than the main one holds the lock while it writes pixels, and the backend holds it
// while it copies them out, so that no frame is shown half-written. Pixels that such a thread
// owns for a while (a movie's area) are claimed: the main thread's drawing leaves them out.

#include "platform/geometry/rect.h"
#include "platform/geometry/region.h"

#include <atomic>
#include <cstdint>
#include <mutex>
#include <optional>
#include <vector>

namespace q71 {

struct ScreenSurface {
    static constexpr int kWidth = 640;
    static constexpr int kHeight = 480;

    /// Row-major pixels, kWidth per row, top row first.
    std::vector<std::uint16_t> pixels = std::vector<std::uint16_t>(kWidth * kHeight);
    /// Set by whoever draws; cleared by the backend when it shows the frame.
    std::atomic<bool> changed{false};
    /// Held while another thread than the main one writes pixels, and while the backend reads them.
    std::mutex lock;
    /// The area another thread owns, which the main thread does not draw into; set and cleared on
    /// the main thread only.
    std::optional<Region> claimed;
    /// Counts the changes of `claimed`, so that contexts drawing on the screen ask again.
    std::uint64_t claimGeneration = 0;

    /// The whole screen as a rectangle.
    static constexpr Rect bounds() { return {0, 0, kWidth, kHeight}; }
    /// The first pixel of row y (0 <= y < kHeight).
    std::uint16_t* row(int y) { return pixels.data() + static_cast<size_t>(y) * kWidth; }
    const std::uint16_t* row(int y) const { return pixels.data() + static_cast<size_t>(y) * kWidth; }
    /// Notes that pixels were drawn since the last frame was shown.
    void markChanged() { changed.store(true, std::memory_order_release); }
    /// Clears the mark and says whether it was set.
    bool takeChanged() { return changed.exchange(false, std::memory_order_acq_rel); }
};

} // namespace q71
