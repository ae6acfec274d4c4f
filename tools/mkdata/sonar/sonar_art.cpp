#include "mkdata/sonar/sonar_art.h"

#include "mkdata/art/art_texts.h"
#include "mkdata/art/bitmap_file.h"
#include "mkdata/art/console_parts.h"
#include "mkdata/art/look.h"
#include "mkdata/art/row_rect.h"
#include "mkdata/graphics/archives.h"
#include "tactical/sonar/active_page.h"
#include "tactical/sonar/broadband_page.h"
#include "tactical/sonar/demon_page.h"
#include "tactical/sonar/intercept_page.h"
#include "tactical/sonar/narrowband_page.h"
#include "tactical/ssp/ssp_screen.h"

#include <cmath>
#include <iterator>
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

// The console face: steel, the page buttons' bay (on the suite's pages) and a recess under every control.
Canvas consoleFace(std::uint32_t seed, std::span<const SonarWidgetRow> controls, bool pageButtons = true) {
    Canvas canvas(kWidth, kHeight);
    steelPanel(canvas, Rect{0, 0, kWidth, kHeight}, seed);
    if (pageButtons) {
        const Rect bay{342, 4, 522, 52};
        fillRect(canvas, bay, shade(palette::kSteelDark, -0.3f), shade(palette::kSteelDark, -0.1f), 0, 0.0f);
        bevel(canvas, bay, 2, false);
    }
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
                  const ArtTexts& texts, const LetterFont& font) {
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

// A strip of `frames` frames from fewer drawn ones: the frames the widget never shows repeat the last.
std::vector<Canvas> padded(std::vector<Canvas> drawn, int frames) {
    while (static_cast<int>(drawn.size()) < frames)
        drawn.push_back(drawn.back());
    drawn.resize(static_cast<std::size_t>(frames), drawn.front());
    return drawn;
}

void stageRocker(const Context& context, const char* group, const SonarWidgetRow& row, bool upright) {
    stage(context, group, row.bitmap, frameStripFile(padded(rockerFrames(row.width, row.height, upright), row.frames)));
}

void stageLampButton(const Context& context, const char* group, const SonarWidgetRow& row, const std::string& label,
                     const LetterFont& font) {
    stage(context, group, row.bitmap,
          frameStripFile(padded(lampButtonFrames(row.width, row.height, label, font, row.frames > 2), row.frames)));
}

void stageToggle(const Context& context, const char* group, const SonarWidgetRow& row) {
    stage(context, group, row.bitmap, frameStripFile(toggleSwitchFrames(row.width, row.height, row.frames)));
}

void stagePageButtons(const Context& context, const ArtTexts& texts) {
    const auto font = texts.font(kFaceNarrow, 11, true);
    for (const char* group : kSonarGroups)
        for (int page = 0; page < 5; ++page) {
            const SonarWidgetRow& row = kSonarPageButtons[page];
            stage(context, group, row.bitmap,
                  frameStripFile(lampButtonFrames(row.width, row.height, kPageButtonLabels[page], font)));
        }
}

void stageKnob(const Context& context, const char* group, const SonarKnobRow& knob) {
    stage(context, group, knob.widget.bitmap,
          frameStripFile(knobFrames(knob.widget.width, knob.widget.height, knob.widget.frames, knob.positions,
                                    knob.startAngle, knob.sweep)));
}

// A covered button whose name is engraved on a steel plate at the foot of its housing, below the
// cover: on the button, under the red cover, it could not be read, and the page's labels leave no
// room for it outside the housing.
std::vector<Canvas> namePlatedCoveredButton(const SonarWidgetRow& row, int coverFrames,
                                            const std::string& name, const LetterFont& font) {
    constexpr int kPlateHeight = 14;
    const Rect plate{0, row.height - kPlateHeight, row.width, row.height};
    std::vector<Canvas> strip;
    for (const Canvas& button :
         coveredButtonFrames(row.width, row.height - kPlateHeight, row.frames, coverFrames, "", font)) {
        Canvas frame(row.width, row.height);
        fillRect(frame, plate, shade(palette::kSteel, 0.08f), shade(palette::kSteel, -0.1f), 2308, 0.025f);
        frame.place(button, 0, 0);
        engravedText(frame, plate, name, font, palette::kLabel, true);
        strip.push_back(std::move(frame));
    }
    return strip;
}

void drawActivePage(const Context& context, const ArtTexts& texts) {
    const SonarWidgetRow controls[] = {kActivePingSwitch, kActiveOrientationSwitch, kActiveTransmit,
                                       kActiveDesignate,  kActiveReport,            kActiveRangeKnobRow.widget};
    Canvas canvas = consoleFace(2301, controls);
    displayGlass(canvas, Rect{32, 45, 32 + kActiveWidth, 45 + kActiveHeight});
    const auto labelFont = texts.font(kFaceNarrow, 11, true);
    for (const SonarHotSpotRow& spot : kActiveHotSpots)
        hotSpotLabel(canvas, spot, controls, texts, labelFont);
    readoutRecess(canvas, 364, 279, 5, 13);
    readoutRecess(canvas, 364, 305, 3, 13);
    glassInset(canvas, Rect{380, 349, 490, 366});
    stage(context, kActiveArt.group, kActiveArt.background, bitmapFile(canvas));

    const auto buttonFont = texts.font(kFaceNarrow, 11, true);
    stageKnob(context, kActiveArt.group, kActiveRangeKnobRow);
    for (const SonarWidgetRow& row : {kActivePingSwitch, kActiveOrientationSwitch})
        stage(context, kActiveArt.group, row.bitmap, frameStripFile(toggleSwitchFrames(row.width, row.height, row.frames)));
    stage(context, kActiveArt.group, kActiveTransmit.bitmap,
          frameStripFile(
              namePlatedCoveredButton(kActiveTransmit, 3, texts.text(kActiveTransmit.toolTip), buttonFont)));
    for (const SonarWidgetRow& row : {kActiveDesignate, kActiveReport})
        stage(context, kActiveArt.group, row.bitmap, frameStripFile(lampButtonFrames(row.width, row.height, "", buttonFont)));
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
    const auto labelFont = texts.font(kFaceNarrow, 11, true);
    for (const SonarHotSpotRow& spot : kBroadbandHotSpots)
        hotSpotLabel(canvas, spot, controls, texts, labelFont);
    readoutRecess(canvas, 420, 262, 3, 10);
    glassInset(canvas, Rect{353, 198, 512, 213});
    stage(context, kBroadbandArt.group, kBroadbandArt.background, bitmapFile(canvas));

    for (const SonarKnobRow& knob : kBroadbandTimeKnobRows)
        stageKnob(context, kBroadbandArt.group, knob);
    for (const SonarWidgetRow& row : {kBroadbandListenSwitch, kBroadbandOrientationSwitch})
        stage(context, kBroadbandArt.group, row.bitmap, frameStripFile(toggleSwitchFrames(row.width, row.height, row.frames)));
    const auto buttonFont = texts.font(kFaceNarrow, 9, false);
    stage(context, kBroadbandArt.group, kBroadbandDesignate.bitmap,
          frameStripFile(lampButtonFrames(kBroadbandDesignate.width, kBroadbandDesignate.height, "", buttonFont)));
    constexpr const char* kArrayLabels[] = {"REM", "COQUE"};
    for (int i = 0; i < 2; ++i) {
        const SonarWidgetRow& row = kBroadbandArrayButtons[i];
        stage(context, kBroadbandArt.group, row.bitmap,
              frameStripFile(lampButtonFrames(row.width, row.height, kArrayLabels[i], buttonFont)));
    }
}

void drawNarrowbandPage(const Context& context, const ArtTexts& texts) {
    std::vector<SonarWidgetRow> controls{kNarrowbandOrientationSwitch, kNarrowbandRocker, kNarrowbandDesignate,
                                         kNarrowbandScaleKnobRow.widget};
    for (const SonarWidgetRow& row : kNarrowbandArrayButtons)
        controls.push_back(row);
    Canvas canvas = consoleFace(2304, controls);
    displayGlass(canvas, Rect{32, 33, 32 + NarrowbandWaterfall::kWidth, 33 + NarrowbandWaterfall::kHeight});
    displayGlass(canvas, Rect{32, 222, 32 + NarrowbandReferencePanel::kWidth, 222 + NarrowbandReferencePanel::kHeight});
    displayGlass(canvas, Rect{32, 322, 32 + NarrowbandBearingTrace::kWidth, 322 + NarrowbandBearingTrace::kHeight});
    const auto labelFont = texts.font(kFaceNarrow, 11, true);
    for (const SonarHotSpotRow& spot : kNarrowbandHotSpots)
        hotSpotLabel(canvas, spot, controls, texts, labelFont);
    readoutRecess(canvas, kNarrowbandBearingReadout.x, kNarrowbandBearingReadout.y, 3, 10);
    readoutRecess(canvas, kNarrowbandFrequencyReadout.x, kNarrowbandFrequencyReadout.y, 4, 10);
    glassInset(canvas, kNarrowbandLabelArea);
    glassInset(canvas, kNarrowbandNameArea);
    stage(context, kNarrowbandArt.group, kNarrowbandArt.background, bitmapFile(canvas));

    const char* group = kNarrowbandArt.group;
    stageKnob(context, group, kNarrowbandScaleKnobRow);
    stageToggle(context, group, kNarrowbandOrientationSwitch);
    stageRocker(context, group, kNarrowbandRocker, false);
    const auto buttonFont = texts.font(kFaceNarrow, 9, false);
    stageLampButton(context, group, kNarrowbandDesignate, "", buttonFont);
    constexpr const char* kArrayLabels[] = {"REM", "LAT", "COQUE"};
    for (int i = 0; i < 3; ++i)
        stageLampButton(context, group, kNarrowbandArrayButtons[i], kArrayLabels[i], buttonFont);
}

void drawDemonPage(const Context& context, const ArtTexts& texts) {
    std::vector<SonarWidgetRow> controls{kDemonRocker, kDemonScaleKnobRow.widget};
    for (const SonarWidgetRow& row : kDemonTrackerButtons)
        controls.push_back(row);
    for (const SonarWidgetRow& row : kDemonArrayButtons)
        controls.push_back(row);
    Canvas canvas = consoleFace(2305, controls);
    displayGlass(canvas, Rect{35, 129, 35 + DemonDisplay::kWidth, 129 + DemonDisplay::kHeight});
    // The strip under the tracker buttons where the contacts' labels are written.
    glassInset(canvas, Rect{28, kDemonLabelY - 1, 300, kDemonLabelY + 12});
    const auto labelFont = texts.font(kFaceNarrow, 11, true);
    for (const SonarHotSpotRow& spot : kDemonHotSpots)
        hotSpotLabel(canvas, spot, controls, texts, labelFont);
    readoutRecess(canvas, kDemonFrequencyReadout.x, kDemonFrequencyReadout.y, 4, 13);
    readoutRecess(canvas, kDemonDivisorReadout.x, kDemonDivisorReadout.y, 2, 13);
    readoutRecess(canvas, kDemonRateReadout.x, kDemonRateReadout.y, 2, 13);
    stage(context, kDemonArt.group, kDemonArt.background, bitmapFile(canvas));

    const char* group = kDemonArt.group;
    stageKnob(context, group, kDemonScaleKnobRow);
    stageRocker(context, group, kDemonRocker, true);
    const auto buttonFont = texts.font(kFaceNarrow, 9, false);
    // The first two buttons share the second's bitmap; the trackers' letters are written beneath.
    for (int i = 1; i < 4; ++i)
        stageLampButton(context, group, kDemonTrackerButtons[i], "", buttonFont);
    constexpr const char* kArrayLabels[] = {"REM", "COQUE"};
    for (int i = 0; i < 2; ++i)
        stageLampButton(context, group, kDemonArrayButtons[i], kArrayLabels[i], buttonFont);
}

// The bearing rose the intercept scope draws its spokes over: the rings at the spokes' ends and a
// tick every 30 degrees, dim on the glass.
void bearingRose(Canvas& canvas, const Rect& square) {
    const PointF centre{square.left + 96.0, square.top + 96.0};
    canvas.ring(centre, 17.0, 1.0, palette::kPhosphor, 0.35f);
    canvas.ring(centre, 88.0, 1.0, palette::kPhosphor, 0.35f);
    for (int bearing = 0; bearing < 360; bearing += 30) {
        const double a = bearing * 3.14159265358979 / 180.0;
        const double inner = bearing % 90 == 0 ? 78.0 : 83.0;
        canvas.line({centre.x + inner * std::sin(a), centre.y - inner * std::cos(a)},
                    {centre.x + 88.0 * std::sin(a), centre.y - 88.0 * std::cos(a)}, 1.0, palette::kPhosphor, 0.5f);
    }
}

void drawInterceptPage(const Context& context, const ArtTexts& texts) {
    std::vector<SonarWidgetRow> controls(std::begin(kInterceptLamps), std::end(kInterceptLamps));
    Canvas canvas = consoleFace(2306, controls);
    const Rect square{InterceptScope::kX, InterceptScope::kY, InterceptScope::kX + InterceptScope::kSize,
                      InterceptScope::kY + InterceptScope::kSize};
    displayGlass(canvas, square);
    bearingRose(canvas, square);
    const auto labelFont = texts.font(kFaceNarrow, 11, true);
    for (const SonarHotSpotRow& spot : kInterceptHotSpots)
        hotSpotLabel(canvas, spot, controls, texts, labelFont);
    for (const InterceptReadoutRow& row : {kInterceptBearingReadout, kInterceptSignalReadout, kInterceptSinceReadout,
                                          kInterceptIntervalReadout})
        readoutRecess(canvas, row.at.x, row.at.y, row.digits, 13);
    stage(context, kInterceptArt.group, kInterceptArt.background, bitmapFile(canvas));

    const auto buttonFont = texts.font(kFaceNarrow, 9, false);
    for (const SonarWidgetRow& row : kInterceptLamps)
        stageLampButton(context, kInterceptArt.group, row, "", buttonFont);
}

// The sound-speed profile station: the graph's glass on the left, the table's lit pane on the right
// (its text is dark), the title under its hot spot and the probe's launch button.
void drawSoundProfileStation(const Context& context, const ArtTexts& texts) {
    const SonarWidgetRow launch{kSspLaunchButton.x, kSspLaunchButton.y, kSspLaunchButton.width,
                                kSspLaunchButton.height, kSspLaunchButton.frames, false, kSspLaunchId,
                                kSspLaunchButton.bitmap, kSspLaunchTip, "pushbtn.wav"};
    const SonarWidgetRow controls[] = {launch};
    Canvas canvas = consoleFace(2307, controls, false);
    displayGlass(canvas, Rect{20, 40, 262, 392});
    const Rect table{288, 62, 526, 392};
    const Rect bezel{table.left - 6, table.top - 6, table.right + 6, table.bottom + 6};
    fillRect(canvas, bezel, shade(palette::kSteelDark, -0.2f), shade(palette::kSteelDark, -0.4f), 0, 0.0f);
    bevel(canvas, bezel, 2, true);
    fillRect(canvas, table, rgb(0xC6, 0xD2, 0xBE), rgb(0xAE, 0xBC, 0xA6), 2307, 0.02f);
    bevel(canvas, table, 1, false);
    const auto labelFont = texts.font(kFaceNarrow, 11, true);
    hotSpotLabel(canvas, SonarHotSpotRow{kSspTitleSpot, kSspTitleText}, controls, texts, labelFont);
    stage(context, kSspGroup, kSspBackground, bitmapFile(canvas));
    const auto buttonFont = texts.font(kFaceNarrow, 9, false);
    stageLampButton(context, kSspGroup, launch, "XBT", buttonFont);
}

} // namespace

void generateSonarArt(const Context& context) {
    const ArtTexts texts(context);
    stagePageButtons(context, texts);
    drawActivePage(context, texts);
    drawBroadbandPage(context, texts);
    drawNarrowbandPage(context, texts);
    drawDemonPage(context, texts);
    drawInterceptPage(context, texts);
    drawSoundProfileStation(context, texts);
}

} // namespace q71::mkdata
