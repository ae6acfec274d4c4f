#include "mkdata/sonar/sonar_art.h"

#include "mkdata/art/art_texts.h"
#include "mkdata/art/bitmap_file.h"
#include "mkdata/art/console_parts.h"
#include "mkdata/art/look.h"
#include "mkdata/graphics/archives.h"
#include "tactical/sonar/active_page.h"
#include "tactical/sonar/broadband_page.h"

#include <span>

namespace q71::mkdata {
namespace {

constexpr int kWidth = 540;
constexpr int kHeight = 420;

// The groups of the five pages, by page index.
constexpr const char* kSonarGroups[] = {"snr_act", "snr_icpt", "snr_dmn", "snr_bb", "snr_nb"};
// What the page buttons say, by page index.
constexpr const char* kPageButtonLabels[] = {"ACT", "INT", "DMN", "LB", "BE"};

void stage(const Context& context, const char* group, const std::string& name, const std::string& file) {
    stageArchiveMember(context, kGraphicsFolder, group, name, file);
}

Rect rowRect(const SonarWidgetRow& row) {
    return {row.x, row.y, row.x + row.width, row.y + row.height};
}

// The console face: steel, the page buttons' bay, the title plate and a recess under every control.
Canvas consoleFace(std::uint32_t seed, std::span<const SonarWidgetRow> controls) {
    Canvas canvas(kWidth, kHeight);
    steelPanel(canvas, Rect{0, 0, kWidth, kHeight}, seed);
    const Rect bay{342, 4, 522, 52};
    fillRect(canvas, bay, shade(palette::kSteelDark, -0.3f), shade(palette::kSteelDark, -0.1f), 0, 0.0f);
    bevel(canvas, bay, 2, false);
    for (const SonarWidgetRow& row : controls) {
        const Rect r = rowRect(row);
        bevel(canvas, Rect{r.left - 2, r.top - 2, r.right + 2, r.bottom + 2}, 2, false);
    }
    return canvas;
}

// A lit bezel round a display's glass.
void displayGlass(Canvas& canvas, const Rect& glass) {
    const Rect bezel{glass.left - 6, glass.top - 6, glass.right + 6, glass.bottom + 6};
    fillRect(canvas, bezel, shade(palette::kSteelDark, -0.2f), shade(palette::kSteelDark, -0.4f), 0, 0.0f);
    bevel(canvas, bezel, 2, true);
    glassInset(canvas, glass);
    canvas.line({glass.left - 3.0, glass.top - 3.0}, {glass.right + 2.0, glass.top - 3.0}, 1.0,
                palette::kPhosphor, 0.25f);
}

// The engraved label under a hot spot, centred in the part of it that no control covers.
void hotSpotLabel(Canvas& canvas, const SonarHotSpotRow& spot, std::span<const SonarWidgetRow> controls,
                  const ArtTexts& texts, const MovieFont& font) {
    Rect free = spot.rect;
    for (const SonarWidgetRow& row : controls) {
        const Rect r = rowRect(row);
        if (r.top < free.bottom && r.bottom > free.top && r.left > free.left && r.left < free.right)
            free.right = r.left - 3;
    }
    engravedText(canvas, free, texts.text(spot.text), font, palette::kLabel, true);
}

void readoutRecess(Canvas& canvas, int x, int y, int cells, int cell) {
    const Rect r{x - 2, y - 2, x + cells * cell + 2, y + cell + 2};
    fillRect(canvas, r, palette::kGlass, palette::kGlass, 0, 0.0f);
    bevel(canvas, r, 2, false);
}

void stagePageButtons(const Context& context, const ArtTexts& texts) {
    const auto font = texts.font(kFaceNarrow, 8, true);
    for (const char* group : kSonarGroups)
        for (int page = 0; page < 5; ++page) {
            const SonarWidgetRow& row = kSonarPageButtons[page];
            stage(context, group, row.bitmap,
                  frameStripFile(lampButtonFrames(row.width, row.height, kPageButtonLabels[page], *font)));
        }
}

void stageKnob(const Context& context, const char* group, const SonarKnobRow& knob) {
    stage(context, group, knob.widget.bitmap,
          frameStripFile(knobFrames(knob.widget.width, knob.widget.height, knob.widget.frames, knob.positions,
                                    knob.startAngle, knob.sweep)));
}

void drawActivePage(const Context& context, const ArtTexts& texts) {
    const SonarWidgetRow controls[] = {kActivePingSwitch, kActiveOrientationSwitch, kActiveTransmit,
                                       kActiveDesignate,  kActiveReport,            kActiveRangeKnobRow.widget};
    Canvas canvas = consoleFace(2301, controls);
    displayGlass(canvas, Rect{32, 45, 32 + kActiveWidth, 45 + kActiveHeight});
    const auto labelFont = texts.font(kFaceNarrow, 8, true);
    for (const SonarHotSpotRow& spot : kActiveHotSpots)
        hotSpotLabel(canvas, spot, controls, texts, *labelFont);
    readoutRecess(canvas, 364, 279, 5, 13);
    readoutRecess(canvas, 364, 305, 3, 13);
    glassInset(canvas, Rect{380, 349, 490, 366});
    stage(context, kActiveArt.group, kActiveArt.background, bitmapFile(canvas));

    const auto buttonFont = texts.font(kFaceNarrow, 8, true);
    stageKnob(context, kActiveArt.group, kActiveRangeKnobRow);
    for (const SonarWidgetRow& row : {kActivePingSwitch, kActiveOrientationSwitch})
        stage(context, kActiveArt.group, row.bitmap, frameStripFile(toggleSwitchFrames(row.width, row.height, row.frames)));
    stage(context, kActiveArt.group, kActiveTransmit.bitmap,
          frameStripFile(coveredButtonFrames(kActiveTransmit.width, kActiveTransmit.height, kActiveTransmit.frames, 3,
                                             texts.text(kActiveTransmit.toolTip), *buttonFont)));
    for (const SonarWidgetRow& row : {kActiveDesignate, kActiveReport})
        stage(context, kActiveArt.group, row.bitmap, frameStripFile(lampButtonFrames(row.width, row.height, "", *buttonFont)));
}

void drawBroadbandPage(const Context& context, const ArtTexts& texts) {
    std::vector<SonarWidgetRow> controls{kBroadbandListenSwitch, kBroadbandOrientationSwitch, kBroadbandDesignate};
    for (const SonarWidgetRow& row : kBroadbandArrayButtons)
        controls.push_back(row);
    for (const SonarKnobRow& knob : kBroadbandTimeKnobRows)
        controls.push_back(knob.widget);
    Canvas canvas = consoleFace(2302, controls);
    displayGlass(canvas, Rect{40, 30, 296, 193});
    displayGlass(canvas, Rect{40, 230, 296, 393});
    const auto labelFont = texts.font(kFaceNarrow, 8, true);
    for (const SonarHotSpotRow& spot : kBroadbandHotSpots)
        hotSpotLabel(canvas, spot, controls, texts, *labelFont);
    readoutRecess(canvas, 420, 262, 3, 10);
    glassInset(canvas, Rect{353, 198, 512, 213});
    stage(context, kBroadbandArt.group, kBroadbandArt.background, bitmapFile(canvas));

    for (const SonarKnobRow& knob : kBroadbandTimeKnobRows)
        stageKnob(context, kBroadbandArt.group, knob);
    for (const SonarWidgetRow& row : {kBroadbandListenSwitch, kBroadbandOrientationSwitch})
        stage(context, kBroadbandArt.group, row.bitmap, frameStripFile(toggleSwitchFrames(row.width, row.height, row.frames)));
    const auto buttonFont = texts.font(kFaceNarrow, 7, true);
    stage(context, kBroadbandArt.group, kBroadbandDesignate.bitmap,
          frameStripFile(lampButtonFrames(kBroadbandDesignate.width, kBroadbandDesignate.height, "", *buttonFont)));
    constexpr const char* kArrayLabels[] = {"REM", "COQUE"};
    for (int i = 0; i < 2; ++i) {
        const SonarWidgetRow& row = kBroadbandArrayButtons[i];
        stage(context, kBroadbandArt.group, row.bitmap,
              frameStripFile(lampButtonFrames(row.width, row.height, kArrayLabels[i], *buttonFont)));
    }
}

} // namespace

void generateSonarArt(const Context& context) {
    const ArtTexts texts(context);
    stagePageButtons(context, texts);
    drawActivePage(context, texts);
    drawBroadbandPage(context, texts);
    stageKnob(context, "snr_nb", kNarrowbandScaleKnobRow);
    stageKnob(context, "snr_dmn", kDemonScaleKnobRow);
}

} // namespace q71::mkdata
