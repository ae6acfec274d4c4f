#include "mkdata/frontend/lobby_art.h"

#include "frontend/screen_art.h"
#include "mkdata/art/bitmap_file.h"
#include "mkdata/art/buttons.h"
#include "mkdata/art/look.h"
#include "mkdata/frontend/console_screens.h"
#include "mkdata/frontend/scenery.h"

#include <vector>
#include "multiplayer/lobby/lobby_layout.h"

namespace q71::mkdata {

void drawLobbyArt(const Context& context, const ArtTexts& texts) {
    using namespace lobby_layout;
    Canvas canvas(kWidth, kHeight);
    fillRect(canvas, Rect{0, 0, kWidth, kHeight}, shade(palette::kSteelDark, 0.05f),
             shade(palette::kSteelDark, -0.35f), 2700, 0.02f);
    const auto titleFont = texts.font(kFaceNarrow, 21, true);
    titlePlate(canvas, kTitle, texts.text(2700), titleFont, 2701);
    steelPanel(canvas, kLeftPanel, 2702);
    steelPanel(canvas, kRightPanel, 2703);
    const auto labelFont = texts.font(kFaceNarrow, 13, true);
    engravedText(canvas, clearOfScrews(kHostsLabel, kLeftPanel), texts.text(2701), labelFont, palette::kLabel, false);
    engravedText(canvas, clearOfScrews(kAddressLabel, kLeftPanel), texts.text(2702), labelFont, palette::kLabel, false);
    engravedText(canvas, clearOfScrews(kPlayersLabel, kLeftPanel), texts.text(2711), labelFont, palette::kLabel, false);
    engravedText(canvas, clearOfScrews(kScenarioLabel, kLeftPanel), texts.text(2712), labelFont, palette::kLabel, false);
    engravedText(canvas, clearOfScrews(kMessagesLabel, kRightPanel), texts.text(2713), labelFont, palette::kLabel, false);
    for (const Rect& glass :
         {kHostsGlass, kAddressGlass, kPlayersGlass, kScenarioGlass, kMessagesGlass, kChatGlass})
        glassInset(canvas, glass);
    stage(context, kMultiGroup, kBackgroundName, bitmapFile(canvas));

    std::vector<ScreenButton> buttons;
    for (int i = 0; i < static_cast<int>(kButtonTexts.size()); ++i)
        buttons.push_back({buttonX(i), buttonY(i), kButtonWidth, kButtonHeight, kButtonTexts[static_cast<std::size_t>(i)]});
    stageScreenButtons(context, texts, kMultiGroup, buttons);
}

} // namespace q71::mkdata
