#include "framework/widgets/region_selector.h"

#include <algorithm>

namespace q71 {

RegionSelector::RegionSelector(WindowHandle parentWindow, int controlId, int x, int y, int width, int height,
                               std::string_view fileName, int frameCount, int kind, int regionCount)
    : SimpleButton(parentWindow, controlId, x, y, width, height, fileName, frameCount, kind, true),
      regions_(static_cast<std::size_t>(std::max(regionCount, 0))) {
    name_ = "RegionSelector";
}

void RegionSelector::setRegion(int index, int left, int top, int right, int bottom) {
    if (index >= 0 && index < static_cast<int>(regions_.size()))
        regions_[static_cast<std::size_t>(index)] = {left, top, right, bottom};
}

void RegionSelector::selectFrame(int index) {
    if (frame(index))
        showSelection(index);
}

void RegionSelector::showSelection(int index) {
    selected_ = state_ = index;
    if (frame(index))
        frameIndex_ = index;
    showFrameNow(index);
}

void RegionSelector::buildFrames() {
    SimpleButton::buildFrames();
    if (frame(selected_))
        current_ = frameIndex_ = selected_;
}

void RegionSelector::setEnabled(bool enabled) {
    ButtonToggle::setEnabled(enabled);
}

void RegionSelector::onLeftDown(int x, int y) {
    if (!clickable_)
        return;
    auto hit = std::find_if(regions_.begin(), regions_.end(),
                            [&](const Rect& region) { return hitTestRect(region, x, y); });
    if (hit == regions_.end())
        return;
    const int index = static_cast<int>(hit - regions_.begin());
    showSelection(index);
    playClickSound();
    notifyParent(index);
}

} // namespace q71
