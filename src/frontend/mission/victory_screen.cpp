#include "frontend/mission/victory_screen.h"

#include "framework/app/screen_manager.h"
#include "framework/textmngr/text_manager.h"
#include "frontend/glass_colours.h"
#include "frontend/glass_text.h"
#include "frontend/mission/end_layout.h"
#include "frontend/screen_art.h"
#include "sim/scoring/player_roster.h"
#include "sim/scoring/scoring_state.h"

namespace q71 {
namespace {

constexpr int kTitleText = 2350;
constexpr int kGradeText = 2351;
constexpr int kScoreText = 2352;
constexpr int kCareerText = 2353;
constexpr int kHintText = 2347;

} // namespace

VictoryScreen::VictoryScreen(WindowHandle parent) : FrontEndScreen("Victory", parent) {}

void VictoryScreen::open() {
    frontEndSelectGroup(kVictoryGroup);
    frontEndLoadBackground(background_);
}

void VictoryScreen::close() {
    background_.free();
}

std::string VictoryScreen::resultLines() {
    char grade[128];
    char score[128];
    char career[128];
    textFormat(grade, kGradeText, scoringState().grade);
    textFormat(score, kScoreText, scoringState().score);
    const PlayerRecord* record = playerRecord();
    textFormat(career, kCareerText, record ? record->careerPoints : 0);
    return std::string(grade) + "\n" + score + "\n" + career;
}

void VictoryScreen::paint(DeviceContext& dc) {
    using namespace end_layout;
    FrontEndScreen::paint(dc);
    glassLine(dc, kTitle, textCopy(kTitleText), kTitleFont, glass_colours::kAmber, true);
    const Rect inner = kGlass.inflatedBy(-14, -12);
    glassParagraph(dc, Rect{inner.left, inner.top, inner.right, inner.bottom - 24}, resultLines(), kLargeFont,
                   glass_colours::kPhosphor);
    glassLine(dc, Rect{inner.left, inner.bottom - 22, inner.right, inner.bottom}, textCopy(kHintText),
              kHintFont, glass_colours::kPhosphor, true);
}

bool VictoryScreen::skip() {
    screenExitToMainMenu();
    screenDestroyLater(kSlotVictory);
    return true;
}

} // namespace q71
