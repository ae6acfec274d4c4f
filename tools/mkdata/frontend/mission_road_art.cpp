#include "mkdata/frontend/mission_road_art.h"

#include "frontend/debrief/debrief_layout.h"
#include "frontend/mission/end_layout.h"
#include "frontend/options/options_layout.h"
#include "frontend/screen_art.h"
#include "frontend/selection/selection_layout.h"
#include "frontend/tab_row.h"
#include "mkdata/art/bitmap_file.h"
#include "mkdata/art/buttons.h"
#include "mkdata/art/look.h"
#include "mkdata/frontend/console_screens.h"
#include "mkdata/frontend/scenery.h"

namespace q71::mkdata {
namespace {

// The buttons of a paged console: its row of tabs and the buttons below.
std::vector<ScreenButton> tabsAndButtons(std::initializer_list<int> tabLabels, std::initializer_list<ScreenButton> buttons) {
    using namespace tab_row;
    std::vector<ScreenButton> all;
    std::size_t i = 0;
    for (int label : tabLabels)
        all.push_back({kTabX[i++], kTabY, kTabWidth, kTabHeight, label});
    all.insert(all.end(), buttons.begin(), buttons.end());
    return all;
}

void drawSelection(const Context& context, const ArtTexts& texts) {
    using namespace selection_layout;
    Canvas canvas = consoleFace(texts, kTitle, 2310);
    for (const Rect& glass : {kListGlass, kDescriptionGlass, kRecordGlass, kBriefingGlass})
        glassInset(canvas, glass);
    engravedLine(canvas, {kListLabel.left + 0.5, kListLabel.bottom + 0.5},
                 {kListLabel.right - 0.5, kListLabel.bottom + 0.5});
    engravedLine(canvas, {kBriefingLabel.left + 0.5, kBriefingLabel.bottom + 0.5},
                 {kBriefingLabel.right - 0.5, kBriefingLabel.bottom + 0.5});
    stage(context, kSelectionGroup, kBackgroundName, bitmapFile(canvas));
    const ScreenButton buttons[] = {{kStartX, kButtonY, kButtonWidth, kButtonHeight, 2315},
                                    {kResumeX, kButtonY, kButtonWidth, kButtonHeight, 2912},
                                    {kBackX, kButtonY, kButtonWidth, kButtonHeight, 2316}};
    stageScreenButtons(context, texts, kSelectionGroup, buttons);
}

// A paged console (the options, the debriefing): the title plate, one pane of glass, the row of
// tabs and the buttons below.
void drawPagedConsole(const Context& context, const ArtTexts& texts, const char* group, std::uint32_t seed,
                      const Rect& title, const Rect& glass, std::initializer_list<int> tabLabels,
                      std::initializer_list<ScreenButton> buttons) {
    Canvas canvas = consoleFace(texts, title, seed);
    glassInset(canvas, glass);
    stage(context, group, kBackgroundName, bitmapFile(canvas));
    stageScreenButtons(context, texts, group, tabsAndButtons(tabLabels, buttons));
}

void drawOptions(const Context& context, const ArtTexts& texts) {
    using namespace options_layout;
    drawPagedConsole(context, texts, kOptionsGroup, 2360, kTitle, kGlass, {2361, 2362, 2363},
                     {{kValidateX, kButtonY, kButtonWidth, kButtonHeight, 2366},
                      {kCancelX, kButtonY, kButtonWidth, kButtonHeight, 2367}});
}

void drawDebrief(const Context& context, const ArtTexts& texts) {
    using namespace debrief_layout;
    drawPagedConsole(context, texts, kDebriefGroup, 2460, kTitle, kGlass, {2454, 2455, 2456},
                     {{kPlayX, kButtonY, kPlayWidth, kButtonHeight, 2463},
                      {kPreviousX, kButtonY, kButtonWidth, kButtonHeight, 2457},
                      {kNextX, kButtonY, kButtonWidth, kButtonHeight, 2458},
                      {kContinueX, kButtonY, kButtonWidth, kButtonHeight, 2459}});
}

// The end of a mission over open water: a glow of the colour of the outcome behind the boat, and
// a bearing ring around it when the ring's radius is given.
Canvas endScene(const ArtTexts& texts, std::uint32_t seed, Colour glow, PointF boat, Colour hull,
                double ringRadius) {
    using namespace end_layout;
    Canvas canvas(kWidth, kHeight);
    chartWater(canvas, seed);
    canvas.glow({kWidth / 2.0, 190}, 190, glow, 0.5f);
    if (ringRadius > 0)
        bearingRing(canvas, {kWidth / 2.0, 185}, ringRadius, glow);
    submarine(canvas, boat, 300, hull);
    const auto font = texts.font(kFaceNarrow, 21, true);
    titlePlate(canvas, kTitle, "", font, seed + 1);
    const Rect frame{kGlass.left - 10, kGlass.top - 10, kGlass.right + 10, kGlass.bottom + 10};
    steelPanel(canvas, frame, seed + 2);
    glassInset(canvas, kGlass);
    return canvas;
}

void drawDeath(const Context& context, const ArtTexts& texts) {
    Canvas canvas =
        endScene(texts, 2339, palette::kRed, {kWidth / 2.0, 236}, shade(palette::kSteelDark, -0.4f), 0);
    stage(context, kDeathGroup, kBackgroundName, bitmapFile(canvas));
}

void drawVictory(const Context& context, const ArtTexts& texts) {
    Canvas canvas = endScene(texts, 2350, palette::kAmber, {kWidth / 2.0, 185},
                             shade(palette::kSteelHighlight, -0.2f), 92);
    stage(context, kVictoryGroup, kBackgroundName, bitmapFile(canvas));
}

} // namespace

void drawMissionRoadArt(const Context& context, const ArtTexts& texts) {
    drawSelection(context, texts);
    drawOptions(context, texts);
    drawDebrief(context, texts);
    drawDeath(context, texts);
    drawVictory(context, texts);
}

} // namespace q71::mkdata
