#pragma once
// What a device context draws on when it is not a memory context: the screen seen through a
// window (or the whole screen). The window system supplies the window's place and visible
// region each time they may have changed, telling so through the generation number.

#include "platform/gdi/pixel_surface.h"
#include "platform/geometry/region.h"

#include <cstdint>

namespace q71 {

class DrawingTarget {
public:
    virtual ~DrawingTarget() = default;
    /// The surface, where the context's (0, 0) lies on it, and the pixels it may touch (surface
    /// coordinates). False when nothing can be drawn (the window is gone or hidden).
    virtual bool resolve(PixelSurface& surface, Point& origin, Region& visible) = 0;
    /// A number that changes whenever what resolve gives may have changed.
    virtual std::uint64_t generation() const = 0;
    /// Called after pixels were drawn.
    virtual void drawn() {}
};

} // namespace q71
