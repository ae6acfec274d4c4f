#include "mkdata/tactical/radio_art.h"

#include "mkdata/art/art_texts.h"
#include "mkdata/art/bitmap_file.h"
#include "mkdata/art/console_parts.h"
#include "mkdata/art/look.h"
#include "mkdata/art/scroll_parts.h"
#include "mkdata/graphics/archives.h"
#include "tactical/radio/radio_room.h"

#include <cmath>
#include <numbers>
#include <string>

namespace q71::mkdata {
namespace {

constexpr int kWidth = 540;
constexpr int kHeight = 420;
constexpr int kDigit = 13;

void stage(const Context& context, const std::string& name, const std::string& file) {
    stageArchiveMember(context, kGraphicsFolder, kRadioGroup, name, file);
}

// The ESM dial: black glass, a ring of degree ticks every 10 degrees (longer every 30), the
// cardinal figures, round (206, 314).
void esmDial(Canvas& canvas, const ArtTexts& texts) {
    const PointF centre{static_cast<double>(kEsmDialCentre.x), static_cast<double>(kEsmDialCentre.y)};
    canvas.disc(centre, 71.0, shade(palette::kSteelDark, -0.3f));
    canvas.ring(centre, 70.0, 2.0, palette::kSteelHighlight, 0.6f);
    canvas.disc(centre, 66.0, palette::kGlass);
    canvas.ring(centre, 50.0, 1.0, palette::kAmber, 0.25f);
    const auto font = texts.font(kFaceNarrow, 9, false);
    for (int d = 0; d < 360; d += 10) {
        const double a = (d - 90) * std::numbers::pi / 180.0;
        const double inner = d % 30 == 0 ? 54.0 : 58.0;
        canvas.line({centre.x + inner * std::cos(a), centre.y + inner * std::sin(a)},
                    {centre.x + 63.0 * std::cos(a), centre.y + 63.0 * std::sin(a)}, 1.0, palette::kAmber, 0.6f);
        if (d % 90 == 0) {
            const PointF at{centre.x + 40.0 * std::cos(a), centre.y + 40.0 * std::sin(a)};
            const Rect face{static_cast<int>(at.x) - 12, static_cast<int>(at.y) - 7, static_cast<int>(at.x) + 12,
                            static_cast<int>(at.y) + 7};
            letterLabel(canvas, {face, Align::Centre, {}}, std::to_string(d), font, palette::kAmber, Relief::Flat);
        }
    }
}

void drawBackground(const Context& context, const ArtTexts& texts) {
    Canvas canvas(kWidth, kHeight);
    steelPanel(canvas, Rect{0, 0, kWidth, kHeight}, 2701);
    // The message box and the chat line below it, framed.
    const Rect box{kRadioTextBox.left - 5, kRadioTextBox.top - 5, kRadioTextBox.right + 5, kRadioChatLine.bottom + 5};
    fillRect(canvas, box, shade(palette::kSteelDark, -0.2f), shade(palette::kSteelDark, -0.4f), 0, 0.0f);
    bevel(canvas, box, 2, true);
    glassInset(canvas, Rect{kRadioTextBox.left, kRadioTextBox.top, kRadioTextBox.right, kRadioChatLine.bottom});
    esmDial(canvas, texts);
    for (const StationControlRow& row : {kRadioEndMission, kRadioTrafficLamp, kRadioWire, kRadioAntenna, kRadioEsmMast,
                                       kRadioEsmContact})
        bevel(canvas, Rect{row.x - 2, row.y - 2, row.x + row.width + 2, row.y + row.height + 2}, 2, false);
    bevel(canvas, Rect{kRadioEsmLamps[8].x - 3, kRadioEsmLamps[8].y - 3, kRadioEsmLamps[0].x + 33,
                       kRadioEsmLamps[0].y + 21},
          2, false);
    readoutWell(canvas, kRadioWireReadOut.x, kRadioWireReadOut.y, 4, kDigit);
    readoutWell(canvas, kRadioEsmReadOut.x, kRadioEsmReadOut.y, 3, kDigit);
    glassInset(canvas, Rect{kEsmNamePanel.left - 2, kEsmNamePanel.top - 2, kEsmNamePanel.right + 2,
                            kEsmNamePanel.bottom + 2});
    const auto font = texts.font(kFaceNarrow, 11, true);
    for (const RadioLabel& label : kRadioLabels)
        engravedText(canvas, label.rect, texts.text(label.text), font, palette::kLabel, true);
    // The covered button's name is engraved on the steel below it: on the button, under the red
    // cover, it could not be read.
    const StationControlRow& end = kRadioEndMission;
    engravedText(canvas, Rect{end.x - 6, end.y + end.height + 4, end.x + end.width + 6, end.y + end.height + 16},
                 texts.text(715), font, palette::kLabel, true);
    stage(context, kRadioBackground, bitmapFile(canvas));
}

// The message box's background: dark glass with a faint grain, repeated over the box.
void drawPattern(const Context& context) {
    Canvas pattern(8, 8);
    fillRect(pattern, Rect{0, 0, 8, 8}, palette::kGlass, palette::kGlass, 2702, 0.04f);
    stage(context, kRadioPattern, bitmapFile(pattern));
}

} // namespace

void generateRadioArt(const Context& context) {
    const ArtTexts texts(context);
    drawBackground(context, texts);
    drawPattern(context);
    const auto font = texts.font(kFaceNarrow, 11, true);
    stage(context, kRadioEndMission.bitmap,
          frameStripFile(coveredButtonFrames(kRadioEndMission.width, kRadioEndMission.height, kRadioEndMission.frames,
                                             4, "", font)));
    for (const StationControlRow& row : {kRadioTrafficLamp, kRadioTrafficLampNetwork, kRadioEsmContact})
        stage(context, row.bitmap, frameStripFile(lampButtonFrames(row.width, row.height, "", font)));
    stage(context, kRadioSendChat.bitmap,
          frameStripFile(lampButtonFrames(kRadioSendChat.width, kRadioSendChat.height, "ENVOI", font)));
    for (const StationControlRow& row : kRadioEsmLamps)
        stage(context, row.bitmap, frameStripFile(lampButtonFrames(row.width, row.height, "", font)));
    stage(context, kRadioWire.bitmap,
          frameStripFile(knobFrames(kRadioWire.width, kRadioWire.height, kRadioWire.frames, 3, 300.0, 120.0)));
    for (const StationControlRow& row : {kRadioAntenna, kRadioEsmMast})
        stage(context, row.bitmap, frameStripFile(toggleSwitchFrames(row.width, row.height, row.frames)));
    stage(context, kRadioArrowUp, frameStripFile(scrollArrowFrames(16, true)));
    stage(context, kRadioArrowDown, frameStripFile(scrollArrowFrames(16, false)));
    stage(context, kRadioCaret, bitmapFile(scrollThumb(16)));
}

} // namespace q71::mkdata
