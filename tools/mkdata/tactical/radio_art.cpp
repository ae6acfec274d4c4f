#include "mkdata/tactical/radio_art.h"

#include "mkdata/art/art_texts.h"
#include "mkdata/art/bitmap_file.h"
#include "mkdata/art/console_parts.h"
#include "mkdata/art/look.h"
#include "mkdata/art/scroll_parts.h"
#include "mkdata/graphics/archives.h"
#include "mkdata/tactical/engraved_labels.h"
#include "tactical/radio/radio_room.h"

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

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

// The steel inside the panel's bevel, where labels may stand, and how far beside its hot spot a
// label's face may reach.
constexpr Rect kSteel{3, 3, kWidth - 3, kHeight - 3};
constexpr int kLabelGrowth = 40;

Rect controlRecess(const StationControlRow& row) {
    return Rect{row.x - 2, row.y - 2, row.x + row.width + 2, row.y + row.height + 2};
}

void drawBackground(const Context& context, const ArtTexts& texts) {
    Canvas canvas(kWidth, kHeight);
    steelPanel(canvas, Rect{0, 0, kWidth, kHeight}, 2701);
    std::vector<Rect> taken = cornerScrews(Rect{0, 0, kWidth, kHeight});
    // The message box and the chat line below it, framed.
    const Rect box{kRadioTextBox.left - 5, kRadioTextBox.top - 5, kRadioTextBox.right + 5, kRadioChatLine.bottom + 5};
    fillRect(canvas, box, shade(palette::kSteelDark, -0.2f), shade(palette::kSteelDark, -0.4f), 0, 0.0f);
    bevel(canvas, box, 2, true);
    glassInset(canvas, Rect{kRadioTextBox.left, kRadioTextBox.top, kRadioTextBox.right, kRadioChatLine.bottom});
    taken.push_back(box);
    esmDial(canvas, texts);
    const int dialReach = kEsmDialSize / 2;
    taken.push_back(Rect{kEsmDialCentre.x - dialReach, kEsmDialCentre.y - dialReach,
                         kEsmDialCentre.x + dialReach + 1, kEsmDialCentre.y + dialReach + 1});
    for (const StationControlRow& row :
         {kRadioEndMission, kRadioTrafficLamp, kRadioWire, kRadioAntenna, kRadioEsmMast, kRadioEsmContact}) {
        bevel(canvas, controlRecess(row), 2, false);
        taken.push_back(controlRecess(row));
    }
    // The keys that stand over the panel in a network game: the chat's send key and the traffic
    // lamp below it.
    taken.push_back(controlRecess(kRadioSendChat));
    taken.push_back(controlRecess(kRadioTrafficLampNetwork));
    const Rect lamps{kRadioEsmLamps[8].x - 3, kRadioEsmLamps[8].y - 3, kRadioEsmLamps[0].x + 33,
                     kRadioEsmLamps[0].y + 21};
    bevel(canvas, lamps, 2, false);
    taken.push_back(lamps);
    readoutWell(canvas, kRadioWireReadOut.x, kRadioWireReadOut.y, 4, kDigit);
    readoutWell(canvas, kRadioEsmReadOut.x, kRadioEsmReadOut.y, 3, kDigit);
    taken.push_back(readoutWellRect(kRadioWireReadOut.x, kRadioWireReadOut.y, 4, kDigit));
    taken.push_back(readoutWellRect(kRadioEsmReadOut.x, kRadioEsmReadOut.y, 3, kDigit));
    const Rect namePanel = kEsmNamePanel.inflatedBy(2, 2);
    glassInset(canvas, namePanel);
    taken.push_back(namePanel);
    // The covered button's name is engraved on the steel below it: on the button, under the red
    // cover, it could not be read. The labels after it keep clear of it.
    const StationControlRow& end = kRadioEndMission;
    const Rect endName{end.x - 6, end.y + end.height + 4, end.x + end.width + 6, end.y + end.height + 16};
    std::vector<EngravedLabel> labels{
        {texts.text(715), engravedLabelPlace(endName, taken, kSteel, kLabelGrowth)}};
    taken.push_back(labels.front().place.face);
    for (const RadioLabel& label : kRadioLabels)
        labels.push_back(
            {texts.text(label.text), engravedLabelPlace(label.rect, taken, kSteel, kLabelGrowth)});
    engraveLabels(canvas, labels, sharedLabelFont(texts.font(kFaceNarrow, 11, true), labels));
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
    constexpr const char* kSendLabel = "ENVOI";
    const LetterFont sendFont = font.largestWhere([](const LetterFont& size) {
        return lampButtonFits(kRadioSendChat.width, kRadioSendChat.height, kSendLabel, size);
    });
    stage(
        context, kRadioSendChat.bitmap,
        frameStripFile(lampButtonFrames(kRadioSendChat.width, kRadioSendChat.height, kSendLabel, sendFont)));
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
