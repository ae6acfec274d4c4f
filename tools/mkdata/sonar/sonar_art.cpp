#include "mkdata/sonar/sonar_art.h"

#include "mkdata/art/art_texts.h"
#include "mkdata/art/bitmap_file.h"
#include "mkdata/art/console_parts.h"
#include "mkdata/art/look.h"
#include "mkdata/art/row_rect.h"
#include "mkdata/graphics/archives.h"
#include "mkdata/tactical/engraved_labels.h"
#include "tactical/sonar/active_page.h"
#include "tactical/sonar/broadband_page.h"
#include "tactical/sonar/demon_page.h"
#include "tactical/sonar/intercept_page.h"
#include "tactical/sonar/narrowband_page.h"
#include "tactical/ssp/ssp_screen.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <span>
#include <utility>
#include <vector>

namespace q71::mkdata {
namespace {

constexpr int kWidth = 540;
constexpr int kHeight = 420;
// The steel inside the panel's bevel, where labels may stand.
constexpr Rect kPanel{3, 3, kWidth - 3, kHeight - 3};
// The columns a label's face may take beside its hot spot on each side.
constexpr int kLabelGrowth = 40;

// The groups of the five pages, by page index.
constexpr const char* kSonarGroups[] = {"snr_act", "snr_icpt", "snr_dmn", "snr_bb", "snr_nb"};
// What the page buttons say, by page index.
constexpr const char* kPageButtonLabels[] = {"ACT", "INT", "DMN", "LB", "BE"};
// What the arrays' buttons say, the same on every page: the towed, the flank and the hull array.
constexpr const char* kTowedLabel = "REM";
constexpr const char* kFlankLabel = "LAT";
constexpr const char* kHullLabel = "COQ";
// The active page's covered button carries its name on a plate this high at its foot.
constexpr int kNamePlateHeight = 14;

void stage(const Context& context, const char* group, const std::string& name, const std::string& file) {
    stageArchiveMember(context, kGraphicsFolder, group, name, file);
}

// A page's background as it is drawn: its steel and the rectangles its art takes, which the
// labels keep clear of.
struct PageFace {
    Canvas canvas;
    std::vector<Rect> taken;
};

// A background ready to be lettered: where it goes and the labels it takes.
struct Background {
    const char* group;
    const char* name;
    PageFace face;
    std::vector<EngravedLabel> labels;
};

// The console face: steel with a screw in each corner, the page buttons' bay (on the suite's pages)
// and a recess under every control.
PageFace consoleFace(std::uint32_t seed, std::span<const SonarWidgetRow> controls, bool pageButtons = true) {
    PageFace face{Canvas(kWidth, kHeight), cornerScrews(Rect{0, 0, kWidth, kHeight})};
    steelPanel(face.canvas, Rect{0, 0, kWidth, kHeight}, seed);
    if (pageButtons) {
        const Rect bay{342, 4, 522, 52};
        fillRect(face.canvas, bay, shade(palette::kSteelDark, -0.3f), shade(palette::kSteelDark, -0.1f), 0,
                 0.0f);
        bevel(face.canvas, bay, 2, false);
        face.taken.push_back(bay);
    }
    for (const SonarWidgetRow& row : controls) {
        const Rect recess = rowRect(row).inflatedBy(2, 2);
        bevel(face.canvas, recess, 2, false);
        face.taken.push_back(recess);
    }
    return face;
}

// A lit bezel round a display's glass.
void displayGlass(PageFace& face, const Rect& glass) {
    const Rect bezel = glass.inflatedBy(6, 6);
    fillRect(face.canvas, bezel, shade(palette::kSteelDark, -0.2f), shade(palette::kSteelDark, -0.4f), 0,
             0.0f);
    bevel(face.canvas, bezel, 2, true);
    glassInset(face.canvas, glass);
    face.canvas.line({glass.left - 3.0, glass.top - 3.0}, {glass.right + 2.0, glass.top - 3.0}, 1.0,
                     palette::kPhosphor, 0.25f);
    face.taken.push_back(bezel);
}

// A pane of glass set in the steel, where the page writes.
void glassPane(PageFace& face, const Rect& glass) {
    glassInset(face.canvas, glass);
    face.taken.push_back(glass);
}

void readoutRecess(PageFace& face, int x, int y, int cells, int cell) {
    const Rect r{x - 2, y - 2, x + cells * cell + 2, y + cell + 2};
    fillRect(face.canvas, r, palette::kGlass, palette::kGlass, 0, 0.0f);
    bevel(face.canvas, r, 2, false);
    face.taken.push_back(r);
}

// The labels under the hot spots, each in the free steel round its hot spot.
std::vector<EngravedLabel> hotSpotLabels(const PageFace& face, std::span<const SonarHotSpotRow> spots,
                                         const ArtTexts& texts) {
    std::vector<EngravedLabel> labels;
    for (const SonarHotSpotRow& spot : spots)
        labels.push_back(
            {texts.text(spot.text), engravedLabelPlace(spot.rect, face.taken, kPanel, kLabelGrowth)});
    return labels;
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

void stageKnob(const Context& context, const char* group, const SonarKnobRow& knob) {
    stage(context, group, knob.widget.bitmap,
          frameStripFile(knobFrames(knob.widget.width, knob.widget.height, knob.widget.frames, knob.positions,
                                    knob.startAngle, knob.sweep)));
}

// The labelled buttons of the suite: the page buttons and the arrays' buttons of each page.
std::vector<std::pair<SonarWidgetRow, const char*>> labelledButtons() {
    std::vector<std::pair<SonarWidgetRow, const char*>> buttons;
    for (int page = 0; page < 5; ++page)
        buttons.emplace_back(kSonarPageButtons[page], kPageButtonLabels[page]);
    for (const auto& rows : {std::span<const SonarWidgetRow>(kBroadbandArrayButtons),
                             std::span<const SonarWidgetRow>(kDemonArrayButtons)}) {
        buttons.emplace_back(rows[0], kTowedLabel);
        buttons.emplace_back(rows[1], kHullLabel);
    }
    buttons.emplace_back(kNarrowbandArrayButtons[0], kTowedLabel);
    buttons.emplace_back(kNarrowbandArrayButtons[1], kFlankLabel);
    buttons.emplace_back(kNarrowbandArrayButtons[2], kHullLabel);
    return buttons;
}

// The size every button of the suite is lettered in: the largest that leaves each label under its
// lamp, so that the buttons read alike from page to page.
LetterFont buttonFont(const ArtTexts& texts) {
    const auto buttons = labelledButtons();
    return texts.font(kFaceNarrow, 11, true).largestWhere([&](const LetterFont& font) {
        return std::all_of(buttons.begin(), buttons.end(), [&](const auto& button) {
            return lampButtonFits(button.first.width, button.first.height, button.second, font);
        });
    });
}

void stagePageButtons(const Context& context, const LetterFont& font) {
    for (const char* group : kSonarGroups)
        for (int page = 0; page < 5; ++page) {
            const SonarWidgetRow& row = kSonarPageButtons[page];
            stage(context, group, row.bitmap,
                  frameStripFile(lampButtonFrames(row.width, row.height, kPageButtonLabels[page], font)));
        }
}

// The name plate at the foot of the active page's covered button, in the button's own rectangle.
Rect namePlate(const SonarWidgetRow& row) {
    return Rect{0, row.height - kNamePlateHeight, row.width, row.height};
}

// A covered button whose name is engraved on a steel plate at the foot of its housing, below the
// cover: on the button, under the red cover, it could not be read, and the page's labels leave no
// room for it outside the housing.
std::vector<Canvas> namePlatedCoveredButton(const SonarWidgetRow& row, int coverFrames,
                                            const std::string& name, const LetterFont& font) {
    const Rect plate = namePlate(row);
    std::vector<Canvas> strip;
    for (const Canvas& button :
         coveredButtonFrames(row.width, row.height - kNamePlateHeight, row.frames, coverFrames, "", font)) {
        Canvas frame(row.width, row.height);
        fillRect(frame, plate, shade(palette::kSteel, 0.08f), shade(palette::kSteel, -0.1f), 2308, 0.025f);
        frame.place(button, 0, 0);
        engravedText(frame, plate, name, font, palette::kLabel, true);
        strip.push_back(std::move(frame));
    }
    return strip;
}

constexpr SonarWidgetRow kActiveControls[] = {kActivePingSwitch, kActiveOrientationSwitch,
                                              kActiveTransmit,   kActiveDesignate,
                                              kActiveReport,     kActiveRangeKnobRow.widget};

Background activeBackground(const ArtTexts& texts) {
    PageFace face = consoleFace(2301, kActiveControls);
    displayGlass(face, Rect{32, 45, 32 + kActiveWidth, 45 + kActiveHeight});
    readoutRecess(face, 364, 279, 5, 13);
    readoutRecess(face, 364, 305, 3, 13);
    glassPane(face, Rect{380, 349, 490, 366});
    std::vector<EngravedLabel> labels = hotSpotLabels(face, kActiveHotSpots, texts);
    return {kActiveArt.group, kActiveArt.background, std::move(face), std::move(labels)};
}

void stageActiveControls(const Context& context, const ArtTexts& texts, const LetterFont& buttons,
                         const LetterFont& labels) {
    stageKnob(context, kActiveArt.group, kActiveRangeKnobRow);
    for (const SonarWidgetRow& row : {kActivePingSwitch, kActiveOrientationSwitch})
        stageToggle(context, kActiveArt.group, row);
    stage(context, kActiveArt.group, kActiveTransmit.bitmap,
          frameStripFile(
              namePlatedCoveredButton(kActiveTransmit, 3, texts.text(kActiveTransmit.toolTip), labels)));
    for (const SonarWidgetRow& row : {kActiveDesignate, kActiveReport})
        stageLampButton(context, kActiveArt.group, row, "", buttons);
}

std::vector<SonarWidgetRow> broadbandControls() {
    std::vector<SonarWidgetRow> controls{kBroadbandListenSwitch, kBroadbandOrientationSwitch, kBroadbandDesignate};
    for (const SonarWidgetRow& row : kBroadbandArrayButtons)
        controls.push_back(row);
    for (const SonarKnobRow& knob : kBroadbandTimeKnobRows)
        controls.push_back(knob.widget);
    return controls;
}

Background broadbandBackground(const ArtTexts& texts) {
    PageFace face = consoleFace(2302, broadbandControls());
    displayGlass(face, Rect{40, 30, 296, 193});
    displayGlass(face, Rect{40, 230, 296, 393});
    readoutRecess(face, 420, 262, 3, 10);
    glassPane(face, Rect{353, 198, 512, 213});
    std::vector<EngravedLabel> labels = hotSpotLabels(face, kBroadbandHotSpots, texts);
    return {kBroadbandArt.group, kBroadbandArt.background, std::move(face), std::move(labels)};
}

void stageBroadbandControls(const Context& context, const LetterFont& buttons) {
    const char* group = kBroadbandArt.group;
    for (const SonarKnobRow& knob : kBroadbandTimeKnobRows)
        stageKnob(context, group, knob);
    for (const SonarWidgetRow& row : {kBroadbandListenSwitch, kBroadbandOrientationSwitch})
        stageToggle(context, group, row);
    stageLampButton(context, group, kBroadbandDesignate, "", buttons);
    stageLampButton(context, group, kBroadbandArrayButtons[0], kTowedLabel, buttons);
    stageLampButton(context, group, kBroadbandArrayButtons[1], kHullLabel, buttons);
}

std::vector<SonarWidgetRow> narrowbandControls() {
    std::vector<SonarWidgetRow> controls{kNarrowbandOrientationSwitch, kNarrowbandRocker, kNarrowbandDesignate,
                                         kNarrowbandScaleKnobRow.widget};
    for (const SonarWidgetRow& row : kNarrowbandArrayButtons)
        controls.push_back(row);
    return controls;
}

Background narrowbandBackground(const ArtTexts& texts) {
    PageFace face = consoleFace(2304, narrowbandControls());
    displayGlass(face, Rect{32, 33, 32 + NarrowbandWaterfall::kWidth, 33 + NarrowbandWaterfall::kHeight});
    displayGlass(
        face, Rect{32, 222, 32 + NarrowbandReferencePanel::kWidth, 222 + NarrowbandReferencePanel::kHeight});
    displayGlass(face,
                 Rect{32, 322, 32 + NarrowbandBearingTrace::kWidth, 322 + NarrowbandBearingTrace::kHeight});
    readoutRecess(face, kNarrowbandBearingReadout.x, kNarrowbandBearingReadout.y, 3, 10);
    readoutRecess(face, kNarrowbandFrequencyReadout.x, kNarrowbandFrequencyReadout.y, 4, 10);
    glassPane(face, kNarrowbandLabelArea);
    glassPane(face, kNarrowbandNameArea);
    std::vector<EngravedLabel> labels = hotSpotLabels(face, kNarrowbandHotSpots, texts);
    return {kNarrowbandArt.group, kNarrowbandArt.background, std::move(face), std::move(labels)};
}

void stageNarrowbandControls(const Context& context, const LetterFont& buttons) {
    const char* group = kNarrowbandArt.group;
    stageKnob(context, group, kNarrowbandScaleKnobRow);
    stageToggle(context, group, kNarrowbandOrientationSwitch);
    stageRocker(context, group, kNarrowbandRocker, false);
    stageLampButton(context, group, kNarrowbandDesignate, "", buttons);
    constexpr const char* kArrayLabels[] = {kTowedLabel, kFlankLabel, kHullLabel};
    for (int i = 0; i < 3; ++i)
        stageLampButton(context, group, kNarrowbandArrayButtons[i], kArrayLabels[i], buttons);
}

std::vector<SonarWidgetRow> demonControls() {
    std::vector<SonarWidgetRow> controls{kDemonRocker, kDemonScaleKnobRow.widget};
    for (const SonarWidgetRow& row : kDemonTrackerButtons)
        controls.push_back(row);
    for (const SonarWidgetRow& row : kDemonArrayButtons)
        controls.push_back(row);
    return controls;
}

Background demonBackground(const ArtTexts& texts) {
    PageFace face = consoleFace(2305, demonControls());
    displayGlass(face, Rect{35, 129, 35 + DemonDisplay::kWidth, 129 + DemonDisplay::kHeight});
    // The strip under the tracker buttons where the contacts' labels are written.
    glassPane(face, Rect{28, kDemonLabelY - 1, 300, kDemonLabelY + 12});
    readoutRecess(face, kDemonFrequencyReadout.x, kDemonFrequencyReadout.y, 4, 13);
    readoutRecess(face, kDemonDivisorReadout.x, kDemonDivisorReadout.y, 2, 13);
    readoutRecess(face, kDemonRateReadout.x, kDemonRateReadout.y, 2, 13);
    std::vector<EngravedLabel> labels = hotSpotLabels(face, kDemonHotSpots, texts);
    return {kDemonArt.group, kDemonArt.background, std::move(face), std::move(labels)};
}

void stageDemonControls(const Context& context, const LetterFont& buttons) {
    const char* group = kDemonArt.group;
    stageKnob(context, group, kDemonScaleKnobRow);
    stageRocker(context, group, kDemonRocker, true);
    // The first two buttons share the second's bitmap; the trackers' letters are written beneath.
    for (int i = 1; i < 4; ++i)
        stageLampButton(context, group, kDemonTrackerButtons[i], "", buttons);
    stageLampButton(context, group, kDemonArrayButtons[0], kTowedLabel, buttons);
    stageLampButton(context, group, kDemonArrayButtons[1], kHullLabel, buttons);
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

Background interceptBackground(const ArtTexts& texts) {
    PageFace face = consoleFace(2306, kInterceptLamps);
    const Rect square{InterceptScope::kX, InterceptScope::kY, InterceptScope::kX + InterceptScope::kSize,
                      InterceptScope::kY + InterceptScope::kSize};
    displayGlass(face, square);
    bearingRose(face.canvas, square);
    for (const InterceptReadoutRow& row : {kInterceptBearingReadout, kInterceptSignalReadout, kInterceptSinceReadout,
                                          kInterceptIntervalReadout})
        readoutRecess(face, row.at.x, row.at.y, row.digits, 13);
    std::vector<EngravedLabel> labels = hotSpotLabels(face, kInterceptHotSpots, texts);
    return {kInterceptArt.group, kInterceptArt.background, std::move(face), std::move(labels)};
}

void stageInterceptControls(const Context& context, const LetterFont& buttons) {
    for (const SonarWidgetRow& row : kInterceptLamps)
        stageLampButton(context, kInterceptArt.group, row, "", buttons);
}

// The size the labels of every page share, the covered button's name plate included, so that
// the pages read alike as the operator turns them.
LetterFont suiteLabelFont(const ArtTexts& texts, std::span<const Background> pages) {
    std::vector<EngravedLabel> labels{
        {texts.text(kActiveTransmit.toolTip), {namePlate(kActiveTransmit), Align::Centre, {}}}};
    for (const Background& page : pages)
        labels.insert(labels.end(), page.labels.begin(), page.labels.end());
    return sharedLabelFont(texts.font(kFaceNarrow, 11, true), labels);
}

// The sound-speed profile station: the graph's glass on the left, the table's lit pane on the right
// (its text is dark; its bezel ends above the probe's launch button), the title under its hot spot
// and the launch button.
void drawSoundProfileStation(const Context& context, const ArtTexts& texts) {
    const SonarWidgetRow launch{kSspLaunchButton.x, kSspLaunchButton.y, kSspLaunchButton.width,
                                kSspLaunchButton.height, kSspLaunchButton.frames, false, kSspLaunchId,
                                kSspLaunchButton.bitmap, kSspLaunchTip, "pushbtn.wav"};
    const SonarWidgetRow controls[] = {launch};
    PageFace face = consoleFace(2307, controls, false);
    displayGlass(face, Rect{20, 40, 262, 392});
    const Rect table{288, 62, 526, kSspLaunchButton.y - 9};
    const Rect bezel = table.inflatedBy(6, 6);
    fillRect(face.canvas, bezel, shade(palette::kSteelDark, -0.2f), shade(palette::kSteelDark, -0.4f), 0,
             0.0f);
    bevel(face.canvas, bezel, 2, true);
    fillRect(face.canvas, table, rgb(0xC6, 0xD2, 0xBE), rgb(0xAE, 0xBC, 0xA6), 2307, 0.02f);
    bevel(face.canvas, table, 1, false);
    face.taken.push_back(bezel);
    const std::vector<EngravedLabel> title =
        hotSpotLabels(face, std::array{SonarHotSpotRow{kSspTitleSpot, kSspTitleText}}, texts);
    engraveLabels(face.canvas, title, sharedLabelFont(texts.font(kFaceNarrow, 11, true), title));
    stage(context, kSspGroup, kSspBackground, bitmapFile(face.canvas));
    constexpr const char* kLaunchLabel = "XBT";
    const LetterFont buttonFont = texts.font(kFaceNarrow, 11, true).largestWhere([&](const LetterFont& font) {
        return lampButtonFits(launch.width, launch.height, kLaunchLabel, font);
    });
    stageLampButton(context, kSspGroup, launch, kLaunchLabel, buttonFont);
}

} // namespace

void generateSonarArt(const Context& context) {
    const ArtTexts texts(context);
    const LetterFont buttons = buttonFont(texts);
    std::vector<Background> pages;
    pages.push_back(activeBackground(texts));
    pages.push_back(broadbandBackground(texts));
    pages.push_back(narrowbandBackground(texts));
    pages.push_back(demonBackground(texts));
    pages.push_back(interceptBackground(texts));
    const LetterFont labels = suiteLabelFont(texts, pages);
    for (Background& page : pages) {
        engraveLabels(page.face.canvas, page.labels, labels);
        stage(context, page.group, page.name, bitmapFile(page.face.canvas));
    }
    stagePageButtons(context, buttons);
    stageActiveControls(context, texts, buttons, labels);
    stageBroadbandControls(context, buttons);
    stageNarrowbandControls(context, buttons);
    stageDemonControls(context, buttons);
    stageInterceptControls(context, buttons);
    drawSoundProfileStation(context, texts);
}

} // namespace q71::mkdata
