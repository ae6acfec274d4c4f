#include "mkdata/stations/entview_art.h"

#include "frontend/entview/ent_view_layout.h"
#include "frontend/screen_art.h"
#include "mkdata/art/bitmap_file.h"
#include "mkdata/art/look.h"
#include "mkdata/frontend/console_screens.h"
#include "mkdata/frontend/scenery.h"

namespace q71::mkdata {

void drawEntityViewerArt(const Context& context, const ArtTexts& texts) {
    using namespace ent_view_layout;
    Canvas canvas(kWidth, kHeight);
    steelPanel(canvas, Rect{0, 0, kWidth, kHeight}, 2950);
    glassInset(canvas, kViewGlass);
    glassInset(canvas, kNameGlass);
    stage(context, kEntViewGroup, kBackgroundName, bitmapFile(canvas));
    const ScreenButton buttons[] = {{kPreviousX, kButtonY, kButtonWidth, kButtonHeight, 2951},
                                    {kNextX, kButtonY, kButtonWidth, kButtonHeight, 2952}};
    stageScreenButtons(context, texts, kEntViewGroup, buttons);
}

} // namespace q71::mkdata
