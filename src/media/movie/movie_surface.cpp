#include "media/movie/movie_surface.h"

#include <bit>

namespace q71 {

DisplayFormat displayFormatOf(const MovieSurface& surface) {
    auto channel = [](std::uint32_t mask) {
        ChannelFormat c;
        c.bits = std::popcount(mask & 0x7FFFFFFFu);
        c.shift = mask ? std::countr_zero(mask) : 0;
        return c;
    };
    DisplayFormat f;
    f.red = channel(surface.redMask);
    f.green = channel(surface.greenMask);
    f.blue = channel(surface.blueMask);
    f.mask = surface.redMask | surface.greenMask | surface.blueMask;
    f.totalBits = f.red.bits + f.green.bits + f.blue.bits;
    return f;
}

} // namespace q71
