#include "mkdata/frontend/editor_art.h"

#include "editor/missioneditor/editor_layout.h"
#include "frontend/screen_art.h"
#include "mkdata/art/bitmap_file.h"
#include "mkdata/art/buttons.h"
#include "mkdata/art/look.h"
#include "mkdata/frontend/console_screens.h"
#include "mkdata/frontend/scenery.h"

#include <vector>

namespace q71::mkdata {

void drawEditorArt(const Context& context, const ArtTexts& texts) {
    using namespace editor_layout;
    Canvas canvas(kWidth, kHeight);
    fillRect(canvas, Rect{0, 0, kWidth, kHeight}, shade(palette::kSteelDark, 0.05f), shade(palette::kSteelDark, -0.35f),
             2629, 0.02f);
    // The map's bezel: steel round the glass the chart fills.
    steelPanel(canvas, Rect{kMap.left - 8, kMap.top - 8, kMap.right + 8, kMap.bottom + 8}, 2630);
    glassInset(canvas, Rect{kMap.left - 2, kMap.top - 2, kMap.right + 2, kMap.bottom + 2});
    const auto titleFont = texts.font(kFaceNarrow, 21, true);
    titlePlate(canvas, kTitle, texts.text(2629), titleFont, 2631);
    steelPanel(canvas, kPanel, 2632);
    const auto labelFont = texts.font(kFaceNarrow, 13, true);
    engravedText(canvas, clearOfScrews(kAreaLabel, kPanel), texts.text(2630), labelFont, palette::kLabel, false);
    engravedText(canvas, clearOfScrews(kFileLabel, kPanel), texts.text(2631), labelFont, palette::kLabel, false);
    glassInset(canvas, kAreaGlass);
    glassInset(canvas, kFileGlass);
    stage(context, kEditorGroup, kBackgroundName, bitmapFile(canvas));

    std::vector<ScreenButton> buttons;
    for (int i = 0; i < static_cast<int>(kButtonTexts.size()); ++i)
        buttons.push_back({kButtonX, buttonY(i), kButtonWidth, kButtonHeight, kButtonTexts[static_cast<std::size_t>(i)]});
    stageScreenButtons(context, texts, kEditorGroup, buttons);
}

} // namespace q71::mkdata
