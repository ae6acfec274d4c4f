#include "platform/display/shown_frame.h"

#include <array>
#include <cstring>

namespace q71 {
namespace {

constexpr int kColumns = ScreenSurface::kWidth / ShownFrame::kTileWidth;
constexpr int kRows = ScreenSurface::kHeight / ShownFrame::kTileHeight;
static_assert(kColumns * ShownFrame::kTileWidth == ScreenSurface::kWidth);
static_assert(kRows * ShownFrame::kTileHeight == ScreenSurface::kHeight);
constexpr std::size_t kTileRowBytes = ShownFrame::kTileWidth * sizeof(std::uint16_t);

using TileRow = std::array<bool, kColumns>;

// Marks the tiles of one band of rows that differ from the shown frame and takes them in.
bool takeBand(const ScreenSurface& screen, std::uint16_t* shown, int band, TileRow& changed) {
    changed.fill(false);
    bool any = false;
    for (int y = band * ShownFrame::kTileHeight; y < (band + 1) * ShownFrame::kTileHeight; ++y) {
        const std::uint16_t* now = screen.row(y);
        std::uint16_t* was = shown + static_cast<std::size_t>(y) * ScreenSurface::kWidth;
        if (std::memcmp(now, was, ScreenSurface::kWidth * sizeof(std::uint16_t)) == 0)
            continue;
        for (int t = 0; t < kColumns; ++t) {
            const int x = t * ShownFrame::kTileWidth;
            if (std::memcmp(now + x, was + x, kTileRowBytes) != 0)
                changed[static_cast<std::size_t>(t)] = any = true;
        }
    }
    if (!any)
        return false;
    // A tile is taken whole, so that the rows compared before its first change come along too.
    for (int t = 0; t < kColumns; ++t) {
        if (!changed[static_cast<std::size_t>(t)])
            continue;
        const int x = t * ShownFrame::kTileWidth;
        for (int y = band * ShownFrame::kTileHeight; y < (band + 1) * ShownFrame::kTileHeight; ++y)
            std::memcpy(shown + static_cast<std::size_t>(y) * ScreenSurface::kWidth + x, screen.row(y) + x,
                        kTileRowBytes);
    }
    return true;
}

} // namespace

std::vector<Rect> ShownFrame::takeChanges(const ScreenSurface& screen) {
    std::vector<Rect> areas;
    // Areas that reached the band above, by their run of tiles: a run that continues straight
    // down grows its area instead of starting another.
    std::vector<std::size_t> open, stillOpen;
    TileRow changed;
    for (int band = 0; band < kRows; ++band) {
        stillOpen.clear();
        if (takeBand(screen, pixels_.data(), band, changed)) {
            for (int t = 0; t < kColumns;) {
                if (!changed[static_cast<std::size_t>(t)]) {
                    ++t;
                    continue;
                }
                const int first = t;
                while (t < kColumns && changed[static_cast<std::size_t>(t)])
                    ++t;
                const Rect run{first * kTileWidth, band * kTileHeight, t * kTileWidth,
                               (band + 1) * kTileHeight};
                std::size_t index = areas.size();
                for (std::size_t a : open)
                    if (areas[a].left == run.left && areas[a].right == run.right)
                        index = a;
                if (index == areas.size())
                    areas.push_back(run);
                else
                    areas[index].bottom = run.bottom;
                stillOpen.push_back(index);
            }
        }
        open.swap(stillOpen);
    }
    return areas;
}

} // namespace q71
