#include "frontend/mission/end_of_mission_screen.h"

#include "framework/textmngr/text_manager.h"
#include "frontend/glass_colours.h"
#include "frontend/glass_text.h"
#include "frontend/mission/end_layout.h"
#include "frontend/screen_art.h"

namespace q71 {
namespace {

constexpr int kHintText = 2347;

} // namespace

EndOfMissionScreen::EndOfMissionScreen(std::string_view key, WindowHandle parent, const char* group,
                                       int titleText, ColorRef titleColour)
    : FrontEndScreen(key, parent), group_(group), titleText_(titleText), titleColour_(titleColour) {}

void EndOfMissionScreen::open() {
    frontEndSelectGroup(group_);
    frontEndLoadBackground(background_);
}

void EndOfMissionScreen::close() {
    background_.free();
}

void EndOfMissionScreen::paint(DeviceContext& dc) {
    using namespace end_layout;
    FrontEndScreen::paint(dc);
    glassLine(dc, kTitle, textCopy(titleText_), kTitleFont, titleColour_, true);
    const Rect inner = kGlass.inflatedBy(-14, -12);
    glassParagraph(dc, Rect{inner.left, inner.top, inner.right, inner.bottom - 24}, body(), kLargeFont,
                   glass_colours::kPhosphor);
    glassLine(dc, Rect{inner.left, inner.bottom - 22, inner.right, inner.bottom}, textCopy(kHintText),
              kTextFont, glass_colours::kPhosphor, true);
}

} // namespace q71
