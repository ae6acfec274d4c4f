#include "mkdata/frontend/lobby_art.h"

#include "frontend/screen_art.h"
#include "mkdata/art/bitmap_file.h"
#include "mkdata/art/buttons.h"
#include "mkdata/art/look.h"
#include "mkdata/frontend/scenery.h"
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
    engravedText(canvas, kHostsLabel, texts.text(2701), labelFont, palette::kLabel, false);
    engravedText(canvas, kAddressLabel, texts.text(2702), labelFont, palette::kLabel, false);
    engravedText(canvas, kPlayersLabel, texts.text(2711), labelFont, palette::kLabel, false);
    engravedText(canvas, kScenarioLabel, texts.text(2712), labelFont, palette::kLabel, false);
    engravedText(canvas, kMessagesLabel, texts.text(2713), labelFont, palette::kLabel, false);
    for (const Rect& glass :
         {kHostsGlass, kAddressGlass, kPlayersGlass, kScenarioGlass, kMessagesGlass, kChatGlass})
        glassInset(canvas, glass);
    stage(context, kMultiGroup, kBackgroundName, bitmapFile(canvas));

    const auto buttonFont = texts.font(kFaceNarrow, 13, true);
    for (int i = 0; i < static_cast<int>(kButtonTexts.size()); ++i)
        stage(context, kMultiGroup, buttonBitmapName(buttonX(i), buttonY(i)),
              frameStripFile(pushButtonFrames(kButtonWidth, kButtonHeight,
                                              texts.text(kButtonTexts[static_cast<std::size_t>(i)]),
                                              buttonFont)));
}

} // namespace q71::mkdata
