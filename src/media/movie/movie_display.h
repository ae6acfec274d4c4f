#pragma once
// The display the movie player shows frames on: the platform's screen surface, written from the
// playback thread under the surface's lock, within a clip region (the visible part of the movie
// window) when one is attached.

#include "media/movie/movie_codec.h"
#include "platform/display/screen_surface.h"
#include "platform/geometry/region.h"

#include <cstdint>
#include <mutex>
#include <optional>
#include <vector>

namespace q71 {

class MovieDisplay {
public:
    explicit MovieDisplay(ScreenSurface& surface);

    /// The pixel format that frames for this display are built in.
    DisplayFormat format() const;
    /// Limits presentation to a region of the screen; none lets frames reach the whole screen.
    void setClip(std::optional<Region> clip);
    /// Fills a rectangle of the screen with black (within the clip).
    void fillBlack(const Rect& rect);
    /// The whole screen black, whatever the clip.
    void clear();
    /// Shows the codec's current frame with the presentation flags at (x, y), within the clip.
    void present(const MovieCodec& codec, std::uint32_t flags, int x, int y);
    /// The first pixel of the screen.
    std::uint16_t* pixels() { return surface_.pixels.data(); }

private:
    void copyToScreen(const Rect& area); // with lock_ held

    ScreenSurface& surface_;
    std::mutex lock_; ///< the clip and the staging picture: the main and the playback thread use them
    std::optional<Region> clip_;
    std::vector<std::uint16_t> staging_; ///< a frame is built here, then copied within the clip
};

} // namespace q71
