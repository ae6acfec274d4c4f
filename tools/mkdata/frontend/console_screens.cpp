#include "mkdata/frontend/console_screens.h"

#include "frontend/screen_art.h"
#include "mkdata/art/bitmap_file.h"
#include "mkdata/art/buttons.h"
#include "mkdata/art/look.h"
#include "mkdata/frontend/scenery.h"

#include <vector>

namespace q71::mkdata {

void stageScreenButtons(const Context& context, const ArtTexts& texts, const char* group,
                        std::span<const ScreenButton> buttons) {
    std::vector<ButtonLabel> labels;
    for (const ScreenButton& b : buttons)
        labels.push_back({b.width, b.height, texts.text(b.labelText)});
    const LetterFont font = pushButtonFont(texts.font(kFaceNarrow, 13, true), labels);
    for (const ScreenButton& b : buttons)
        stage(context, group, buttonBitmapName(b.x, b.y),
              frameStripFile(pushButtonFrames(b.width, b.height, texts.text(b.labelText), font)));
}

Canvas consoleFace(const ArtTexts& texts, const Rect& title, std::uint32_t seed) {
    Canvas canvas(kWidth, kHeight);
    steelPanel(canvas, Rect{0, 0, kWidth, kHeight}, seed);
    const auto font = texts.font(kFaceNarrow, 21, true);
    titlePlate(canvas, title, "", font, seed + 1);
    return canvas;
}

} // namespace q71::mkdata
