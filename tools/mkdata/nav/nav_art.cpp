#include "mkdata/nav/nav_art.h"

#include "mkdata/art/art_texts.h"
#include "mkdata/art/bitmap_file.h"
#include "mkdata/art/buttons.h"
#include "mkdata/art/knobs.h"
#include "mkdata/art/look.h"
#include "mkdata/art/panel_sizes.h"
#include "mkdata/art/row_rect.h"
#include "mkdata/art/station_face.h"
#include "mkdata/graphics/archives.h"
#include "stations/nav/nav_layout.h"

#include <span>
#include <string>
#include <utility>
#include <vector>

namespace q71::mkdata {
namespace {

void stage(const Context& context, const char* group, const std::string& name, const std::string& file) {
    stageArchiveMember(context, kGraphicsFolder, group, name, file);
}

// The console face: a recess under every control.
Canvas consoleFace(std::uint32_t seed, const Rect& glass, std::span<const NavControlRow> controls) {
    std::vector<Rect> recesses;
    for (const NavControlRow& row : controls)
        recesses.push_back(rowRect(row));
    return stationFace(seed, glass, recesses);
}

std::vector<Canvas> buttonStrip(const NavControlRow& row, const std::string& label, const LetterFont& font) {
    return stationButtonStrip(row.width, row.height, row.frames, label, font);
}

// The chart page's labels: over the view buttons, beside the lock and the contacts buttons.
std::vector<EngravedLabel> chartEngravings() {
    return {centredLabel(Rect{420, 100, 535, 116}, artLabel("DÉPLACEMENT")),
            centredLabel(Rect{470, 276, 535, 292}, artLabel("VERROU")),
            centredLabel(Rect{470, 318, 535, 334}, artLabel("AFFICHAGE"))};
}

// The fathometer page's labels, each over its hot spot and widened into the free steel around it
// (the spots are too short for the accents): over the depth knob, the readout and the time knob.
std::vector<EngravedLabel> fathometerEngravings(const ArtTexts& texts) {
    const Rect faces[] = {{420, 2, 525, 27}, {410, 160, 536, 184}, {400, 226, 536, 252}};
    std::vector<EngravedLabel> engravings;
    for (std::size_t i = 0; i < std::size(kFathometerHotSpots); ++i)
        engravings.push_back(centredLabel(faces[i], texts.text(kFathometerHotSpots[i].text)));
    return engravings;
}

// The size the labels of both pages share: the largest in which each fits its face.
LetterFont labelFont(const ArtTexts& texts) {
    std::vector<EngravedLabel> all = chartEngravings();
    for (EngravedLabel& engraving : fathometerEngravings(texts))
        all.push_back(std::move(engraving));
    return sharedLabelFont(texts.font(kFaceNarrow, 11, true), all);
}

constexpr const char* kPageLabels[] = {"CARTE", "SONDEUR"};

// East, west, zoom in, south, north, zoom out: the view buttons' order.
constexpr const char* kViewLabels[] = {"E", "O", "+", "S", "N", "-"};

// The face every button of the station is lettered in: the largest that leaves each label whole
// on its cap, on both pages, so that the buttons read alike.
LetterFont buttonFont(const ArtTexts& texts) {
    const auto button = [](const NavControlRow& row, const char* label) {
        return ButtonLabel{row.width, row.height, label};
    };
    std::vector<ButtonLabel> buttons{button(kNavLockButton, "BAT"), button(kNavContactsButton, "CTC")};
    for (std::size_t i = 0; i < std::size(kPageLabels); ++i) {
        buttons.push_back(button(kNavChartPageButtons[i], kPageLabels[i]));
        buttons.push_back(button(kFathometerPageButtons[i], kPageLabels[i]));
    }
    for (std::size_t i = 0; i < std::size(kNavViewButtons); ++i)
        buttons.push_back(button(kNavViewButtons[i], kViewLabels[i]));
    return pushButtonFont(texts.font(kFaceNarrow, 11, true), buttons);
}

// The two page buttons every page of the station has, in the page's group.
void stagePageButtons(const Context& context, const char* group, std::span<const NavControlRow, 2> rows,
                      const LetterFont& font) {
    for (std::size_t i = 0; i < rows.size(); ++i)
        stage(context, group, rows[i].bitmap, frameStripFile(buttonStrip(rows[i], kPageLabels[i], font)));
}

void drawChartPage(const Context& context, const ArtTexts& texts) {
    std::vector<NavControlRow> controls{std::begin(kNavChartPageButtons), std::end(kNavChartPageButtons)};
    controls.push_back(kNavLockButton);
    controls.push_back(kNavContactsButton);
    controls.insert(controls.end(), std::begin(kNavViewButtons), std::end(kNavViewButtons));
    Canvas canvas = consoleFace(2601, kNavChartGlass, controls);
    // The page's title in the largest size that fits between the chart's bezel and the edge.
    const EngravedLabel title[] = {centredLabel(Rect{395, 14, 537, 34}, "CARTE DE NAVIGATION")};
    engraveLabels(canvas, title, sharedLabelFont(texts.font(kFaceNarrow, 13, true), title));
    engraveLabels(canvas, chartEngravings(), labelFont(texts));
    stage(context, kNavChartGroup, kNavChartBackground, bitmapFile(canvas));

    const LetterFont buttons = buttonFont(texts);
    stagePageButtons(context, kNavChartGroup, kNavChartPageButtons, buttons);
    stage(context, kNavChartGroup, kNavLockButton.bitmap, frameStripFile(buttonStrip(kNavLockButton, "BAT", buttons)));
    stage(context, kNavChartGroup, kNavContactsButton.bitmap,
          frameStripFile(buttonStrip(kNavContactsButton, "CTC", buttons)));
    for (std::size_t i = 0; i < std::size(kNavViewButtons); ++i) {
        const NavControlRow& row = kNavViewButtons[i];
        stage(context, kNavChartGroup, row.bitmap, frameStripFile(buttonStrip(row, kViewLabels[i], buttons)));
    }
}

void drawFathometerPage(const Context& context, const ArtTexts& texts) {
    std::vector<NavControlRow> controls{std::begin(kFathometerPageButtons), std::end(kFathometerPageButtons)};
    controls.push_back(kFathometerTimeKnob.control);
    controls.push_back(kFathometerDepthKnob.control);
    Canvas canvas = consoleFace(2602, kFathometerGlass, controls);
    engraveLabels(canvas, fathometerEngravings(texts), labelFont(texts));
    // The readout's window, five cells of ten pixels, and room for its unit beside it.
    const Rect readout{kFathometerReadOutX - 2, kFathometerReadOutY - 2,
                       kFathometerReadOutX + kFathometerReadOutDigits * 10 + 2, kFathometerReadOutY + 12};
    fillRect(canvas, readout, palette::kGlass, palette::kGlass, 0, 0.0f);
    bevel(canvas, readout, 2, false);
    fillRect(canvas, Rect{kFathometerUnitX - 2, kFathometerUnitY - 2, kFathometerUnitX + 18, kFathometerUnitY + 14},
             palette::kGlass, palette::kGlass, 0, 0.0f);
    stage(context, kFathometerGroup, kFathometerBackground, bitmapFile(canvas));

    stagePageButtons(context, kFathometerGroup, kFathometerPageButtons, buttonFont(texts));
    // The scales' figures in the smallest face that reads; the knobs small enough that the longest
    // figure, "20000" right of the pivot, stands beyond its tick inside the knob's frame.
    const auto scaleFont = texts.font(kFaceNarrow, 9, false);
    constexpr double kKnobRadius = 13.0;
    const struct {
        const NavKnobRow& knob;
        std::vector<std::string> labels;
    } knobs[] = {
        {kFathometerTimeKnob, {"1 h", "8 h", "12 h", "24 h", "48 h"}},
        {kFathometerDepthKnob, {"100", "1000", "5000", "10000", "20000", "30000"}},
    };
    for (const auto& [knob, labels] : knobs) {
        const KnobDial dial{{static_cast<double>(kFathometerKnobPivotX), static_cast<double>(kFathometerKnobPivotY)},
                            kKnobRadius,
                            static_cast<double>(knob.startAngle),
                            static_cast<double>(knob.sweep),
                            knob.detents,
                            labels};
        stage(context, kFathometerGroup, knob.control.bitmap,
              frameStripFile(knobFrames(knob.control.width, knob.control.height, dial, scaleFont)));
    }
}

} // namespace

void generateNavigationArt(const Context& context) {
    const ArtTexts texts(context);
    drawChartPage(context, texts);
    drawFathometerPage(context, texts);
}

} // namespace q71::mkdata
