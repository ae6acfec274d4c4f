#include "framework/widgets/weapon_selector.h"

#include "framework/app/reporter.h"
#include "framework/widgets/animated_switch.h"
#include "framework/widgets/widget_bitmap.h"

#include <functional>
#include <map>
#include <string>

namespace q71 {
namespace {

constexpr std::uint32_t kFirstBlinkMs = 500;
constexpr int kReportSelected = 1;
constexpr int kReportSettled = 2;

// A strip the selectors show, held while any selector of it exists. Selectors of different
// strips (torpedoes, countermeasures, missiles) each show their own.
struct SharedStrip {
    int instances = 0;
    WidgetBitmap bitmap;
};

SharedStrip& sharedStrip(const std::string& fileName) {
    static std::map<std::string, SharedStrip, std::less<>> strips;
    return strips[fileName];
}

void loadSharedStrip(const std::string& fileName) {
    if (sharedStrip(fileName).bitmap.load(fileName))
        return;
    if (widgetArchiveBitmaps())
        reportFatalCaption(fileName.c_str(), "dibCLoad failed?", 36, "weapon", 0);
    reportWarning(fileName.c_str(), 48, "weapon", 0);
    reportFatal("Could Not Load Bitmap", 49, "weapon", 0);
}

} // namespace

WeaponSelector::WeaponSelector(WindowHandle parentWindow, std::string_view fileName, int controlId, int x,
                               int y, int width, int height, int frameCount)
    : ButtonToggle(parentWindow, controlId, x, y, width, height, false) {
    name_ = "WeaponSelector";
    fileName_ = fileName;
    state_ = 1;
    allocateFrames(frameCount);
    SharedStrip& strip = sharedStrip(fileName_);
    if (strip.instances++ == 0)
        loadSharedStrip(fileName_);
    useStrip(strip.bitmap.header(), strip.bitmap.bits());
}

WeaponSelector::~WeaponSelector() {
    SharedStrip& strip = sharedStrip(fileName_);
    if (--strip.instances == 0)
        strip.bitmap.free();
}

void WeaponSelector::buildFrames() {
    ButtonToggle::buildFrames();
    if (frames_.empty())
        return;
    for (int i = 0; i < frameCount_; ++i)
        frames_[static_cast<std::size_t>(i)].delay = switchFrameDelay(i);
    // A ring, so that every position has a frame either side to blink between.
    frames_.back().next = 0;
    frames_.front().previous = frameCount_ - 1;
    current_ = frameIndex_ = frame(state_) ? state_ : 0;
}

void WeaponSelector::select(int index) {
    if (!frame(index))
        return;
    state_ = current_ = frameIndex_ = index;
    invalidate(nullptr, false);
}

void WeaponSelector::selectLast() {
    select(frameCount_ - 1);
}

void WeaponSelector::setState(int value) {
    // A button's states 1 and 2 pick its end frames; here the frame must follow the position.
    select(value);
}

bool WeaponSelector::acceptPosition(int) {
    return true;
}

void WeaponSelector::confirmPosition(int) {}

bool WeaponSelector::selectNextAvailable() {
    // Odd positions step to the even one above; even positions skip the odd one between.
    int next = state_;
    for (int tries = 0; tries < frameCount_; ++tries) {
        next = wrapped(next + (next % 2 == 0 ? 2 : 1));
        if (acceptPosition(next)) {
            state_ = next;
            return true;
        }
    }
    return false;
}

void WeaponSelector::showPosition(int index) {
    frameIndex_ = index;
    showFrameNow(index);
}

void WeaponSelector::stopBlinking() {
    blinking_ = false;
    blinkCounter_ = 0;
}

void WeaponSelector::onLeftDown(int, int) {
    if (blinking_ || !clickable_ || !selectNextAvailable()) {
        leftPressed_ = false;
        return;
    }
    stopTimer();
    showPosition(state_);
}

void WeaponSelector::onLeftUp(int x, int y) {
    if (blinking_ || !clickable_ || !leftPressed_) {
        ButtonToggle::onLeftUp(x, y);
        return;
    }
    leftPressed_ = false;
    blinking_ = true;
    auto alive = watch();
    confirmPosition(state_ + 1);
    if (alive.expired())
        return;
    startTimer(kFirstBlinkMs);
    notifyParent(kReportSelected);
}

void WeaponSelector::onTick() {
    stopTimer();
    if (blinkCounter_ >= blinkCount_) {
        blinkCounter_ = 0;
        blinkPhase_ = 1;
        blinking_ = false;
        state_ = wrapped(state_ + 1);
        showPosition(state_);
        notifyParent(kReportSettled);
        return;
    }
    if (const Frame* at = frame(state_))
        showFrameNow(blinkPhase_ == 1 ? at->previous : at->next);
    blinkPhase_ = blinkPhase_ == 1 ? 0 : 1;
    ++blinkCounter_;
    startTimer(static_cast<std::uint32_t>(blinkInterval_));
}

} // namespace q71
