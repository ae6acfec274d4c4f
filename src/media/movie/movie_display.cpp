#include "media/movie/movie_display.h"

#include <algorithm>
#include <cstring>

namespace q71 {

namespace {

MovieSurface surfaceOver(std::uint16_t* pixels) {
    MovieSurface s; // RGB565, as the screen surface is
    s.pixels = reinterpret_cast<std::uint8_t*>(pixels);
    s.pitch = ScreenSurface::kWidth * 2;
    s.width = ScreenSurface::kWidth;
    s.height = ScreenSurface::kHeight;
    return s;
}

} // namespace

MovieDisplay::MovieDisplay(ScreenSurface& surface)
    : surface_(surface), staging_(static_cast<std::size_t>(ScreenSurface::kWidth) * ScreenSurface::kHeight) {}

DisplayFormat MovieDisplay::format() const { return displayFormatOf(surfaceOver(nullptr)); }

void MovieDisplay::setClip(std::optional<Region> clip) {
    std::lock_guard lock(lock_);
    clip_ = std::move(clip);
}

void MovieDisplay::clear() {
    std::lock_guard lock(lock_);
    {
        std::lock_guard screen(surface_.lock);
        std::fill(surface_.pixels.begin(), surface_.pixels.end(), 0);
    }
    std::fill(staging_.begin(), staging_.end(), 0);
    surface_.markChanged();
}

void MovieDisplay::fillBlack(const Rect& rect) {
    std::lock_guard lock(lock_);
    Rect area = rect.intersected(ScreenSurface::bounds());
    for (int y = area.top; y < area.bottom; ++y)
        std::fill_n(staging_.data() + y * ScreenSurface::kWidth + area.left, area.width(), 0);
    copyToScreen(area);
}

void MovieDisplay::present(const MovieCodec& codec, std::uint32_t flags, int x, int y) {
    std::lock_guard lock(lock_);
    codec_present_frame(codec, surfaceOver(staging_.data()), flags, x, y);
    int left = (flags & kPresentAtX) ? x : 0;
    int top = (flags & kPresentAtY) ? y : 0;
    int width = codec.width * ((flags & kPresentDoubleWidth) ? 2 : 1);
    int height = codec.height * ((flags & kPresentSkipRows) ? 2 : 1);
    copyToScreen(Rect{left, top, left + width, top + height}.intersected(ScreenSurface::bounds()));
}

void MovieDisplay::copyToScreen(const Rect& area) {
    std::vector<Rect> parts;
    if (clip_)
        parts = clip_->intersected(Region(area)).rects();
    else if (!area.isEmpty())
        parts.push_back(area);
    if (parts.empty())
        return;
    {
        std::lock_guard screen(surface_.lock);
        for (const Rect& r : parts)
            for (int row = r.top; row < r.bottom; ++row) {
                std::size_t at = static_cast<std::size_t>(row) * ScreenSurface::kWidth + r.left;
                std::memcpy(surface_.pixels.data() + at, staging_.data() + at, r.width() * sizeof(std::uint16_t));
            }
    }
    surface_.markChanged();
}

} // namespace q71
