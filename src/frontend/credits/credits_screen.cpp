#include "frontend/credits/credits_screen.h"

#include "framework/app/screen_manager.h"
#include "framework/app/shell.h"
#include "framework/app/shell_fonts.h"
#include "framework/textmngr/text_manager.h"
#include "frontend/screen_art.h"
#include "platform/gdi/device_context.h"
#include "platform/window/message_ids.h"
#include "platform/window/timers.h"
#include "platform/window/window_paint.h"

namespace q71 {
namespace {

constexpr int kFirstCreditText = 1930;
constexpr int kLastCreditText = 1999;
constexpr std::uintptr_t kRiseTimer = 1;
constexpr std::uint32_t kRiseStepMs = 40;
constexpr int kPixelsPerSecond = 32;
constexpr int kLineHeight = 24;
constexpr int kHeadingFont = 8; // the first line of a block
constexpr int kNameFont = 2;
constexpr ColorRef kHeadingColour = rgb(0xFF, 0xB2, 0x24);
constexpr ColorRef kNameColour = rgb(0xEE, 0xEA, 0xD2);

} // namespace

CreditsScreen::CreditsScreen(WindowHandle parent, bool endsProgram)
    : FrontEndScreen("Credits", parent), endsProgram_(endsProgram) {}

void CreditsScreen::open() {
    frontEndSelectGroup(kCreditsGroup);
    frontEndLoadBackground(background_);
    lines_.clear();
    for (int id = kFirstCreditText; id <= kLastCreditText; ++id) {
        const char* text = textGetString(id);
        if (!text || !*text)
            break;
        if (!lines_.empty())
            lines_.emplace_back();
        const std::string block = text;
        for (std::size_t start = 0; start <= block.size();) {
            const std::size_t end = std::min(block.find('\n', start), block.size());
            lines_.push_back(block.substr(start, end - start));
            start = end + 1;
        }
    }
    risen_ = 0;
    startTime_ = timerTickCount();
    timerSet(window_, kRiseTimer, kRiseStepMs);
}

void CreditsScreen::close() {
    timerKill(window_, kRiseTimer);
    background_.free();
}

int CreditsScreen::contentHeight() const {
    return static_cast<int>(lines_.size()) * kLineHeight;
}

void CreditsScreen::paint(DeviceContext& dc) {
    FrontEndScreen::paint(dc);
    using credits_layout::kGlass;
    dc.intersectClipRect(kGlass.inflatedBy(-3, -3));
    dc.setBkMode(kTransparent);
    // The lines start below the glass and rise through it; the first line of a block is its heading.
    int y = kGlass.bottom - risen_;
    bool heading = true;
    for (const std::string& line : lines_) {
        if (!line.empty() && y + kLineHeight > kGlass.top && y < kGlass.bottom) {
            dc.selectFont(appInterfaceFont(heading ? kHeadingFont : kNameFont));
            dc.setTextColor(heading ? kHeadingColour : kNameColour);
            Rect row{kGlass.left, y, kGlass.right, y + kLineHeight};
            dc.drawText(line, row, kDtCenter | kDtVCenter | kDtSingleLine | kDtNoPrefix);
        }
        heading = line.empty();
        y += kLineHeight;
    }
    dc.selectClipRegion(nullptr);
}

LResult CreditsScreen::handleMessage(WindowHandle window, std::uint32_t message, WParam wParam,
                                     LParam lParam) {
    if (message != WM_TIMER || wParam != kRiseTimer)
        return FrontEndScreen::handleMessage(window, message, wParam, lParam);
    // The rise follows the clock, not the count of ticks, so a late tick does not slow it.
    risen_ = static_cast<int>((timerTickCount() - startTime_) * kPixelsPerSecond / 1000);
    if (risen_ > credits_layout::kGlass.height() + contentHeight()) {
        skip();
        return 0;
    }
    Rect glass = credits_layout::kGlass;
    windowInvalidate(window_, &glass, false);
    return 0;
}

bool CreditsScreen::skip() {
    timerKill(window_, kRiseTimer);
    // Either way this screen is left at once: nothing of it is touched after.
    if (endsProgram_)
        screenQuitProgram();
    else
        screenSwitch(kSlotMainMenu);
    return true;
}

} // namespace q71
