#include "mkdata/frontend/captain_art.h"

#include "frontend/books/book_layout.h"
#include "frontend/captlog/captlog_layout.h"
#include "frontend/portcall/portcall_layout.h"
#include "frontend/screen_art.h"
#include "mkdata/art/bitmap_file.h"
#include "mkdata/art/look.h"
#include "mkdata/frontend/console_screens.h"
#include "mkdata/frontend/scenery.h"

#include <vector>

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
    const ScreenButton buttons[] = {{kWriteX, kButtonY, kButtonWidth, kButtonHeight, 2922},
                                    {kBackX, kButtonY, kButtonWidth, kButtonHeight, 2923}};
    stageScreenButtons(context, texts, kCaptLogGroup, buttons);
}

// A book: its frame for the main menu (a bay for the page, the way back below), and the page
// itself with its glass for the list, the model, the figures and the text.
void drawBook(const Context& context, const ArtTexts& texts, const char* group, std::uint32_t seed) {
    using namespace book_layout;
    Canvas frame(kWidth + 100, kHeight + 60);
    fillRect(frame, Rect{0, 0, frame.width(), frame.height()}, shade(palette::kSteelDark, 0.05f),
             shade(palette::kSteelDark, -0.3f), seed, 0.03f);
    const Rect bay{kBookX - 4, kBookY - 4, kBookX + kWidth + 4, kBookY + kHeight + 4};
    bevel(frame, bay, 4, false);
    stage(context, group, kBackgroundName, bitmapFile(frame));
    const ScreenButton back[] = {{kBackX, kBackY, kBackWidth, kBackHeight, 2940}};
    stageScreenButtons(context, texts, group, back);

    Canvas page(kWidth, kHeight);
    steelPanel(page, Rect{0, 0, kWidth, kHeight}, seed + 1);
    const auto font = texts.font(kFaceNarrow, 21, true);
    titlePlate(page, kTitle, "", font, seed + 2);
    for (const Rect& glass : {kListGlass, kModelGlass, kFiguresGlass, kPageGlass})
        glassInset(page, glass);
    stage(context, group, kBookPageName, bitmapFile(page));
}

// The port of call: the points, a row per category with its level and its two buttons.
void drawPortCall(const Context& context, const ArtTexts& texts) {
    using namespace portcall_layout;
    Canvas canvas = consoleFace(texts, kTitle, 2965);
    glassInset(canvas, kPointsGlass);
    glassInset(canvas, kStatusGlass);
    std::vector<ScreenButton> buttons{{kConfirmX, kButtonY, kButtonWidth, kButtonHeight, 2970},
                                      {kLeaveX, kButtonY, kButtonWidth, kButtonHeight, 2971}};
    for (int c = 0; c < kCategoryCount; ++c) {
        glassInset(canvas, nameGlass(c));
        glassInset(canvas, levelGlass(c));
        buttons.push_back({kSellX, rowY(c), kRowButtonWidth, kRowHeight, 2968});
        buttons.push_back({kBuyX, rowY(c), kRowButtonWidth, kRowHeight, 2969});
    }
    stage(context, kPortCallGroup, kBackgroundName, bitmapFile(canvas));
    stageScreenButtons(context, texts, kPortCallGroup, buttons);
}

} // namespace

void drawCaptainArt(const Context& context, const ArtTexts& texts) {
    drawCaptLog(context, texts);
    drawBook(context, texts, kShipBookGroup, 2939);
    drawBook(context, texts, kVelmsGroup, 2938);
    drawPortCall(context, texts);
}

} // namespace q71::mkdata
