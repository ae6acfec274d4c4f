#include "mkdata/frontend/captain_art.h"

#include "frontend/captlog/captlog_layout.h"
#include "frontend/screen_art.h"
#include "mkdata/art/bitmap_file.h"
#include "mkdata/art/look.h"
#include "mkdata/frontend/console_screens.h"
#include "mkdata/frontend/scenery.h"

namespace q71::mkdata {
namespace {

// The log's glass, the entry line's and the glass that says what became of it.
void drawCaptLog(const Context& context, const ArtTexts& texts) {
    using namespace captlog_layout;
    Canvas canvas = consoleFace(texts, kTitle, 2920);
    for (const Rect& glass : {kLogGlass, kEntryGlass, kStatusGlass})
        glassInset(canvas, glass);
    engravedLine(canvas, {kEntryLabel.left + 0.5, kEntryLabel.bottom + 0.5},
                 {kEntryLabel.right - 0.5, kEntryLabel.bottom + 0.5});
    stage(context, kCaptLogGroup, kBackgroundName, bitmapFile(canvas));
    stageScreenButtons(context, texts, kCaptLogGroup,
                       {{kWriteX, kButtonY, kButtonWidth, kButtonHeight, 2922},
                        {kBackX, kButtonY, kButtonWidth, kButtonHeight, 2923}});
}

} // namespace

void drawCaptainArt(const Context& context, const ArtTexts& texts) {
    drawCaptLog(context, texts);
}

} // namespace q71::mkdata
