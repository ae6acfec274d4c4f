#include "mkdata/frontend/frontend_art.h"
#include "mkdata/frontend/captain_art.h"
#include "mkdata/frontend/console_screens.h"
#include "mkdata/frontend/editor_art.h"
#include "mkdata/frontend/editor_marks_art.h"
#include "mkdata/frontend/lobby_art.h"
#include "mkdata/frontend/mission_road_art.h"
#include "mkdata/frontend/scenery.h"

#include "frontend/credits/credits_screen.h"
#include "frontend/login/login_layout.h"
#include "frontend/mainmenu/main_menu_entries.h"
#include "frontend/screen_art.h"
#include "mkdata/art/art_texts.h"
#include "mkdata/art/bitmap_file.h"
#include "mkdata/art/buttons.h"
#include "mkdata/art/look.h"
#include "mkdata/graphics/archives.h"
#include "platform/text/cp1252.h"

#include <cmath>
#include <vector>

namespace q71::mkdata {
namespace {

void drawLogo(const Context& context, const ArtTexts& texts) {
    Canvas canvas(kWidth, kHeight);
    chartWater(canvas, 1905);
    const PointF centre{kWidth / 2.0, 196};
    canvas.glow(centre, 150, palette::kChartBlue, 0.6f);
    bearingRing(canvas, centre, 138, palette::kAmber);
    submarine(canvas, {centre.x, centre.y + 26}, 210, shade(palette::kSteelHighlight, -0.2f));
    const auto title = texts.font(kFaceNarrow, 80, true);
    letterLabel(canvas, {Rect{kWidth / 2 - 120, 96, kWidth / 2 + 120, 180}, Align::Centre, {}}, "Q71", title, palette::kLabel,
                Relief::Cast);
    const auto name = texts.font(kFaceNarrow, 35, true);
    engravedText(canvas, Rect{0, 352, kWidth, 392}, texts.text(1905), name, palette::kAmber, true);
    const auto subtitle = texts.font(kFaceSerif, 19, false);
    engravedText(canvas, Rect{0, 392, kWidth, 418}, texts.text(1906), subtitle, palette::kLabel, true);
    const auto maker = texts.font(kFaceSans, 12, false);
    engravedText(canvas, Rect{0, 448, kWidth, 468}, texts.text(1907), maker, palette::kSteelHighlight, true);
    stage(context, kLogoGroup, kBackgroundName, bitmapFile(canvas));
}

void drawLogin(const Context& context, const ArtTexts& texts) {
    using namespace login_layout;
    Canvas canvas(kWidth, kHeight);
    steelPanel(canvas, Rect{0, 0, kWidth, kHeight}, 1910);
    const auto titleFont = texts.font(kFaceNarrow, 24, true);
    titlePlate(canvas, kTitle, texts.text(1910), titleFont, 1911);
    const auto labelFont = texts.font(kFaceNarrow, 13, true);
    engravedText(canvas, kRosterLabel, texts.text(1912), labelFont, palette::kLabel, false);
    engravedText(canvas, kNameLabel, texts.text(1911), labelFont, palette::kLabel, false);
    glassInset(canvas, kRosterGlass);
    glassInset(canvas, kNameGlass);
    const auto hintFont = texts.font(kFaceNarrow, 13, false);
    engravedParagraph(canvas, kHint, texts.text(1915), hintFont, palette::kSteelHighlight);
    engravedLine(canvas, {kNameGlass.left + 0.5, 282.5}, {kNameGlass.right - 0.5, 282.5});
    stage(context, kLoginGroup, kBackgroundName, bitmapFile(canvas));

    const ScreenButton buttons[] = {{kButtonX, kValidateY, kButtonWidth, kButtonHeight, 1913},
                                    {kButtonX, kQuitY, kButtonWidth, kButtonHeight, 1914}};
    stageScreenButtons(context, texts, kLoginGroup, buttons);
}

// The main menu's emblem: a chart in the glass with a sounding of the coast and the boat's track.
void chartEmblem(Canvas& canvas, const Rect& glass, const ArtTexts& texts) {
    const PointF centre{(glass.left + glass.right) / 2.0, (glass.top + glass.bottom) / 2.0 - 20};
    for (int ring = 1; ring <= 5; ++ring)
        canvas.ring(centre, ring * 22.0, 1.0, palette::kPhosphor, 0.18f);
    bearingRing(canvas, centre, 118, shade(palette::kPhosphor, -0.2f));
    std::vector<PointF> track;
    for (int i = 0; i <= 24; ++i) {
        const double t = i / 24.0;
        track.push_back({centre.x - 90 + t * 170, centre.y + 60 - 110 * t + 18 * std::sin(t * 7)});
    }
    for (std::size_t i = 1; i < track.size(); ++i)
        canvas.line(track[i - 1], track[i], 1.5, palette::kAmber, 0.8f);
    canvas.disc(track.back(), 3.5, palette::kAmber);
    canvas.glow(track.back(), 10, palette::kAmber, 0.4f);
    const auto title = texts.font(kFaceNarrow, 45, true);
    letterLabel(canvas, {Rect{glass.left + 4, glass.bottom - 86, glass.right - 4, glass.bottom - 24}, Align::Centre, {}}, "Q71", title,
                palette::kPhosphor, Relief::Flat);
}

void drawMainMenu(const Context& context, const ArtTexts& texts) {
    using namespace main_menu_layout;
    Canvas canvas(kWidth, kHeight);
    fillRect(canvas, Rect{0, 0, kWidth, kHeight}, shade(palette::kSteelDark, 0.05f),
             shade(palette::kSteelDark, -0.35f), 1920, 0.02f);
    steelPanel(canvas, kEmblemPanel, 1921);
    const Rect glass{kEmblemPanel.left + 18, kEmblemPanel.top + 18, kEmblemPanel.right - 18,
                     kEmblemPanel.bottom - 18};
    glassInset(canvas, glass);
    chartEmblem(canvas, glass, texts);
    steelPanel(canvas, kButtonPanel, 1922);
    const auto titleFont = texts.font(kFaceNarrow, 21, true);
    titlePlate(canvas, kTitle, texts.text(1920), titleFont, 1923);
    stage(context, kMainMenuGroup, kBackgroundName, bitmapFile(canvas));

    std::vector<ScreenButton> buttons;
    for (int i = 0; i < static_cast<int>(kMainMenuEntries.size()); ++i)
        buttons.push_back({kButtonX, buttonY(i), kButtonWidth, kButtonHeight,
                           kMainMenuEntries[static_cast<std::size_t>(i)].labelText});
    stageScreenButtons(context, texts, kMainMenuGroup, buttons);
}

void drawCredits(const Context& context, const ArtTexts& texts) {
    using namespace credits_layout;
    Canvas canvas(kWidth, kHeight);
    chartWater(canvas, 1929);
    const auto titleFont = texts.font(kFaceNarrow, 24, true);
    titlePlate(canvas, kTitle, texts.text(1929), titleFont, 1930);
    const Rect frame{kGlass.left - 10, kGlass.top - 10, kGlass.right + 10, kGlass.bottom + 10};
    steelPanel(canvas, frame, 1931);
    glassInset(canvas, kGlass);
    stage(context, kCreditsGroup, kBackgroundName, bitmapFile(canvas));
}

} // namespace

void generateFrontEndArt(const Context& context) {
    const ArtTexts texts(context);
    drawLogo(context, texts);
    drawLogin(context, texts);
    drawMainMenu(context, texts);
    drawCredits(context, texts);
    drawMissionRoadArt(context, texts);
    drawEditorArt(context, texts);
    drawEditorMarks(context);
    drawCaptainArt(context, texts);
    drawLobbyArt(context, texts);
}

} // namespace q71::mkdata
