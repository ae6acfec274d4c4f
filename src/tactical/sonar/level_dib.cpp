#include "tactical/sonar/level_dib.h"

#include "framework/app/shell_fonts.h"
#include "platform/gdi/blit.h"
#include "platform/gdi/dib_format.h"
#include "platform/gdi/text_format.h"
#include "platform/gdi/window_dc.h"
#include "platform/window/window.h"
#include "tactical/sonar/sonar_state.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace q71 {

RgbQuad levelColour(int level) {
    if (level == 0) // the displays' background, RGB(24, 33, 41)
        return {41, 33, 24, 0};
    if (level < 0 || level > kLevelMax)
        return {};
    return {0, static_cast<std::uint8_t>(255 * level / 101), 0, 0};
}

bool LevelDib::create(int width, int height) {
    std::array<RgbQuad, kLevelMax + 1> ramp{};
    for (int i = 0; i <= kLevelMax; ++i)
        ramp[static_cast<std::size_t>(i)] = levelColour(i);
    return create(width, height, ramp);
}

bool LevelDib::create(int width, int height, std::span<const RgbQuad> colours) {
    std::array<RgbQuad, 256> palette{};
    std::copy_n(colours.begin(), std::min<std::size_t>(colours.size(), palette.size()), palette.begin());
    std::vector<std::uint8_t> info = dibMakeInfo({width, -height, 8, palette, {}});
    // 256 colours used, those of the ramp important.
    BitmapInfoHeader header;
    std::memcpy(&header, info.data(), sizeof header);
    header.clrUsed = 256;
    header.clrImportant = static_cast<std::uint32_t>(std::min<std::size_t>(colours.size(), palette.size()));
    std::memcpy(info.data(), &header, sizeof header);
    bitmap_ = Bitmap::createDibSection(info);
    if (!bitmap_)
        return false;
    dc_ = DeviceContext::createMemory();
    dc_->selectBitmap(bitmap_);
    width_ = width;
    height_ = height;
    return true;
}

std::span<std::uint8_t> LevelDib::row(int y) {
    if (!bitmap_ || y < 0 || y >= height_)
        return {};
    return bitmap_->bits().subspan(static_cast<std::size_t>(y) * bitmap_->stride(),
                                   static_cast<std::size_t>(width_));
}

void LevelDib::fill(std::uint8_t level) {
    fillRows(0, height_, level);
}

void LevelDib::fillRows(int y0, int y1, std::uint8_t level) {
    for (int y = std::max(y0, 0); y < std::min(y1, height_); ++y)
        std::ranges::fill(row(y), level);
}

void LevelDib::scrollDown(int top, int bottom, int x0, int x1, int rows) {
    x0 = std::max(x0, 0);
    x1 = std::min(x1, width_);
    if (x1 <= x0 || rows <= 0)
        return;
    for (int y = bottom; y >= top + rows; --y) {
        std::span<std::uint8_t> to = row(y);
        std::span<std::uint8_t> from = row(y - rows);
        if (!to.empty() && !from.empty())
            std::copy(from.begin() + x0, from.begin() + x1, to.begin() + x0);
    }
}

bool LevelDib::ensureDisplay(int width, int height) {
    if (valid())
        return true;
    if (!create(width, height))
        return false;
    dc_->selectPen(createPen(PenStyle::Solid, 1, kSonarPen));
    dc_->selectFont(appInterfaceFont(kSonarFont));
    dc_->setTextColor(kSonarText);
    dc_->setBkMode(kTransparent);
    return true;
}

void LevelDib::blitTo(WindowHandle window) const {
    if (!valid() || !windowIsValid(window))
        return;
    if (auto dc = getWindowDC(window))
        bitBlt(*dc, 0, 0, width_, height_, dc_.get(), 0, 0, kSrcCopy);
}

} // namespace q71
