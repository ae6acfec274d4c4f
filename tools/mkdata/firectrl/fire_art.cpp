#include "mkdata/firectrl/fire_art.h"

#include "mkdata/firectrl/fire_panel_art.h"

#include "mkdata/art/art_texts.h"
#include "mkdata/art/bitmap_file.h"
#include "mkdata/art/buttons.h"
#include "mkdata/art/console_parts.h"
#include "mkdata/art/field_strips.h"
#include "mkdata/art/look.h"
#include "mkdata/art/row_rect.h"
#include "mkdata/art/station_face.h"
#include "mkdata/graphics/archives.h"
#include "stations/firectrl/fire_layout.h"

#include <string>
#include <vector>

namespace q71::mkdata {
namespace {

void stage(const Context& context, const std::string& name, const std::string& file) {
    stageArchiveMember(context, kGraphicsFolder, kFireGroup, name, file);
}

void stageButton(const Context& context, const NavControlRow& row, const std::string& label,
                 const LetterFont& font) {
    stage(context, row.bitmap,
          frameStripFile(stationButtonStrip(row.width, row.height, row.frames, label, font)));
}

void label(Canvas& canvas, const Rect& where, const std::string& text, const LetterFont& font) {
    engravedText(canvas, where, text, font, palette::kLabel, true);
}

// The firing switch: off with the lever up, on with it down (its last frame), each position
// engraved beyond the lever's reach; the label of the position the lever rests in is lit.
std::vector<Canvas> firingSwitchFrames(const LetterFont& font) {
    constexpr double kShortLever = 0.3;
    std::vector<Canvas> frames =
        toggleSwitchFrames(kFiringSwitch.width, kFiringSwitch.height, kFiringSwitch.frames, kShortLever);
    const Rect off{0, 1, kFiringSwitch.width, 10};
    const Rect on{0, kFiringSwitch.height - 10, kFiringSwitch.width, kFiringSwitch.height - 1};
    for (std::size_t f = 0; f < frames.size(); ++f) {
        const bool atOff = f == 0;
        const bool atOn = f + 1 == frames.size();
        engravedText(frames[f], off, "ARR\xCAT", font, atOff ? palette::kAmber : palette::kLabel, true);
        engravedText(frames[f], on, "MARCHE", font, atOn ? palette::kAmber : palette::kLabel, true);
    }
    return frames;
}

// The page buttons of the panel and the display, and the load-out's.
void stagePageButtons(const Context& context, const LetterFont& font) {
    stageButton(context, kFirePageButtons[kFirePanelButtonIndex], "TIR", font);
    stageButton(context, kFirePageButtons[kFireDisplayButtonIndex], "CARTE", font);
    stageButton(context, kFireLoadOutButton, "ARMES", font);
    stageButton(context, kLoadOutBackButton, "RETOUR", font);
}

void drawDisplay(const Context& context, const ArtTexts& texts) {
    std::vector<Rect> recesses{rowRect(kFireShowAllButton), rowRect(kFireLockButton)};
    for (const NavControlRow& row : kFirePageButtons)
        recesses.push_back(rowRect(row));
    for (const NavControlRow& row : kFireViewButtons)
        recesses.push_back(rowRect(row));
    Canvas canvas = stationFace(2501, kFireChartGlass, recesses);
    const auto small = texts.font(kFaceNarrow, 11, true);
    label(canvas, kFireDisplayHotSpot.rect, texts.text(kFireDisplayHotSpot.text), small);
    label(canvas, Rect{123, 300, 217, 316}, "D\xC9PLACEMENT", small);
    label(canvas, Rect{35, 310, 95, 330},
          "\xC9"
          "CHELLE",
          small);
    glassInset(canvas, kFireLauncherViews);
    stage(context, kFireDisplayBackground, bitmapFile(canvas));

    const auto buttonFont = texts.font(kFaceNarrow, 11, true);
    // The show-all switch is disabled while a launcher's console is open: its third frame says so.
    const NavControlRow& showAll = kFireShowAllButton;
    stage(context, showAll.bitmap,
          frameStripFile(pushButtonFrames(showAll.width, showAll.height, "TOUS", buttonFont)));
    stageButton(context, kFireLockButton, "BAT", buttonFont);
    // North, south, west, east, zoom in, zoom out: the view buttons' order.
    const char* viewLabels[] = {"N", "S", "O", "E", "+", "-"};
    for (std::size_t i = 0; i < std::size(kFireViewButtons); ++i)
        stageButton(context, kFireViewButtons[i], viewLabels[i], buttonFont);
    // The guidance view's "Return" button: a bare cap under its label.
    stageButton(context, kFireReturnButton, "", buttonFont);
    stage(context, kFireSelectorButton,
          frameStripFile(dropButtonFrames(kFireSelectorButtonWidth, kFireSelectorButtonHeight)));
}

void drawPanel(const Context& context, const ArtTexts& texts) {
    std::vector<Rect> recesses{rowRect(kFiringSwitch), rowRect(kFireLoadOutButton)};
    for (const NavControlRow& row : kFirePageButtons)
        recesses.push_back(rowRect(row));
    for (const FirePanelRow& row : kFireCellPanels)
        recesses.push_back({row.x, row.y, row.x + 108, row.y + 58});
    for (const FirePanelRow& row : kFireTubePanels)
        recesses.push_back({row.x, row.y, row.x + 135, row.y + 58});
    for (const FirePanelRow& row : kFireDecoyPanels)
        recesses.push_back({row.x, row.y, row.x + 148, row.y + 36});
    Canvas canvas = stationFace(2502, Rect{}, recesses);
    const auto small = texts.font(kFaceNarrow, 11, true);
    for (const NavHotSpotRow& spot : kFirePanelHotSpots)
        label(canvas, spot.rect, texts.text(spot.text), small);
    label(canvas, Rect{425, 240, 506, 256}, "TIR", small);
    stage(context, kFirePanelBackground, bitmapFile(canvas));
    stage(context, kFiringSwitch.bitmap, frameStripFile(firingSwitchFrames(texts.font(kFaceNarrow, 9, false))));
}

// The weapon lamps: dark when empty, lit amber with the weapon's name (the Tomahawk's short one,
// as on the cells' selectors: the long one does not fit).
void stageLamps(const Context& context, const LetterFont& font) {
    const char* names[] = {"", "TLAM", "HARPOON", "ADCAP", "SLMM"};
    std::vector<Canvas> frames;
    for (const char* name : names) {
        Canvas lamp(kLoadOutLampWidth, kLoadOutLampHeight);
        const Rect all{0, 0, kLoadOutLampWidth, kLoadOutLampHeight};
        const bool lit = *name != '\0';
        fillRect(lamp, all, lit ? palette::kAmber : palette::kGlass,
                 lit ? shade(palette::kAmber, -0.3f) : palette::kGlass, 0, 0.0f);
        bevel(lamp, all, 1, false);
        if (lit)
            engravedText(lamp, all, name, font, palette::kBlack, true);
        frames.push_back(lamp);
    }
    stage(context, kLoadOutLamp, frameStripFile(frames));
}

void drawLoadOut(const Context& context, const ArtTexts& texts) {
    std::vector<Rect> recesses{rowRect(kLoadOutBackButton)};
    const auto lampRect = [](int x, int y) {
        return Rect{x, y, x + kLoadOutLampWidth, y + kLoadOutLampHeight};
    };
    // The three lamp rows: the cells, the rack, the tubes.
    recesses.push_back({kLoadOutCellColumns[0], kLoadOutCellTop, kLoadOutCellColumns[1] + kLoadOutLampWidth,
                        kLoadOutCellTop + 6 * kLoadOutRowStep});
    recesses.push_back({kLoadOutRackColumns[0], kLoadOutRackTop, kLoadOutRackColumns[1] + kLoadOutLampWidth,
                        kLoadOutRackTop + 10 * kLoadOutRowStep});
    recesses.push_back({kLoadOutTubeLamps[0].x, kLoadOutTubeLamps[0].y,
                        kLoadOutTubeLamps[3].x + kLoadOutLampWidth,
                        kLoadOutTubeLamps[3].y + kLoadOutLampHeight});
    Canvas canvas = stationFace(2503, Rect{}, recesses);
    for (const Point& at : kLoadOutTotals)
        glassInset(canvas, Rect{at.x - 3, at.y - 2, at.x + 30, at.y + 14});
    for (int i = 0; i < 12; ++i)
        glassInset(canvas, lampRect(kLoadOutCellColumns[i % 2], kLoadOutCellTop + i / 2 * kLoadOutRowStep));
    const auto small = texts.font(kFaceNarrow, 11, true);
    label(canvas, Rect{260, 60, 354, 76}, "CELLULES", small);
    label(canvas, Rect{374, 71, 468, 87}, "SOUTE", small);
    label(canvas, Rect{260, 250, 354, 266}, "TUBES", small);
    label(canvas, Rect{230, 378, 400, 394}, "CONTRE-MESURES", small);
    // The weapons beside their totals, each a silhouette above its name.
    const char* weapons[] = {"TOMAHAWK", "HARPOON", "ADCAP", "SLMM"};
    for (std::size_t i = 0; i < std::size(weapons); ++i) {
        const int y = kLoadOutTotals[i].y;
        const double mid = y + 6.0;
        canvas.line({40.0, mid}, {190.0, mid}, 7.0, palette::kSteelHighlight);
        canvas.polygon({{190.0, mid - 4.0}, {204.0, mid}, {190.0, mid + 4.0}}, palette::kSteelHighlight);
        if (i < 2)
            canvas.polygon({{60.0, mid}, {80.0, mid - 12.0}, {90.0, mid}}, palette::kSteelLight);
        else
            canvas.ring({44.0, mid}, 5.0, 2.0, palette::kSteelLight);
        label(canvas, Rect{40, y + 14, 204, y + 30}, weapons[i], small);
    }
    stage(context, kLoadOutBackground, bitmapFile(canvas));
    stageLamps(context, texts.font(kFaceNarrow, 9, false));
}

} // namespace

void generateFireControlArt(const Context& context) {
    const ArtTexts texts(context);
    drawDisplay(context, texts);
    drawPanel(context, texts);
    drawLoadOut(context, texts);
    stagePageButtons(context, texts.font(kFaceNarrow, 11, true));
    stageFirePanelStrips(context, texts);
}

} // namespace q71::mkdata
