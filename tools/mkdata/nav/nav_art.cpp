#include "mkdata/nav/nav_art.h"

#include "mkdata/art/art_texts.h"
#include "mkdata/art/bitmap_file.h"
#include "mkdata/art/knobs.h"
#include "mkdata/art/look.h"
#include "mkdata/art/row_rect.h"
#include "mkdata/art/station_face.h"
#include "mkdata/graphics/archives.h"
#include "stations/nav/nav_layout.h"

#include <memory>
#include <span>
#include <string>
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

std::vector<Canvas> buttonStrip(const NavControlRow& row, const std::string& label, const MovieFont& font) {
    return stationButtonStrip(row.width, row.height, row.frames, label, font);
}

void label(Canvas& canvas, const Rect& where, const std::string& text, const MovieFont& font) {
    engravedText(canvas, where, text, font, palette::kLabel, true);
}

constexpr const char* kPageLabels[] = {"CARTE", "SONDEUR"};

// The face of the page buttons' labels: the largest that leaves each label whole on its cap
// (beside the lamp) on both pages, so that the buttons read alike on either.
std::unique_ptr<MovieFont> pageButtonFont(const ArtTexts& texts) {
    constexpr int kCapMargins = 2 + 12 + 4 + 2; // bevel, lamp, right edge, engraving's shadow
    const auto fits = [](const MovieFont& font, std::span<const NavControlRow, 2> rows) {
        for (std::size_t i = 0; i < rows.size(); ++i)
            if (font.width(kPageLabels[i]) > rows[i].width - kCapMargins)
                return false;
        return true;
    };
    for (int points = 8; points > 6; --points)
        for (bool bold : {true, false})
            if (auto font = texts.font(kFaceNarrow, points, bold);
                fits(*font, kNavChartPageButtons) && fits(*font, kFathometerPageButtons))
                return font;
    return texts.font(kFaceNarrow, 6, false);
}

// The two page buttons every page of the station has, in the page's group.
void stagePageButtons(const Context& context, const char* group, std::span<const NavControlRow, 2> rows,
                      const MovieFont& font) {
    for (std::size_t i = 0; i < rows.size(); ++i)
        stage(context, group, rows[i].bitmap, frameStripFile(buttonStrip(rows[i], kPageLabels[i], font)));
}

void drawChartPage(const Context& context, const ArtTexts& texts) {
    std::vector<NavControlRow> controls{std::begin(kNavChartPageButtons), std::end(kNavChartPageButtons)};
    controls.push_back(kNavLockButton);
    controls.push_back(kNavContactsButton);
    controls.insert(controls.end(), std::begin(kNavViewButtons), std::end(kNavViewButtons));
    Canvas canvas = consoleFace(2601, kNavChartGlass, controls);
    const auto title = texts.font(kFaceNarrow, 10, true);
    const auto small = texts.font(kFaceNarrow, 8, true);
    label(canvas, Rect{405, 14, 535, 34}, "CARTE DE NAVIGATION", *title);
    label(canvas, Rect{420, 100, 535, 116}, "D\xC9PLACEMENT", *small);
    label(canvas, Rect{470, 276, 535, 292}, "VERROU", *small);
    label(canvas, Rect{470, 318, 535, 334}, "AFFICHAGE", *small);
    stage(context, kNavChartGroup, kNavChartBackground, bitmapFile(canvas));

    const auto buttonFont = texts.font(kFaceNarrow, 8, true);
    stagePageButtons(context, kNavChartGroup, kNavChartPageButtons, *pageButtonFont(texts));
    stage(context, kNavChartGroup, kNavLockButton.bitmap,
          frameStripFile(buttonStrip(kNavLockButton, "BAT", *buttonFont)));
    stage(context, kNavChartGroup, kNavContactsButton.bitmap,
          frameStripFile(buttonStrip(kNavContactsButton, "CTC", *buttonFont)));
    // East, west, zoom in, south, north, zoom out: the view buttons' order.
    const char* viewLabels[] = {"E", "O", "+", "S", "N", "-"};
    for (std::size_t i = 0; i < std::size(kNavViewButtons); ++i) {
        const NavControlRow& row = kNavViewButtons[i];
        stage(context, kNavChartGroup, row.bitmap, frameStripFile(buttonStrip(row, viewLabels[i], *buttonFont)));
    }
}

void drawFathometerPage(const Context& context, const ArtTexts& texts) {
    std::vector<NavControlRow> controls{std::begin(kFathometerPageButtons), std::end(kFathometerPageButtons)};
    controls.push_back(kFathometerTimeKnob.control);
    controls.push_back(kFathometerDepthKnob.control);
    Canvas canvas = consoleFace(2602, kFathometerGlass, controls);
    const auto small = texts.font(kFaceNarrow, 8, true);
    for (const NavHotSpotRow& spot : kFathometerHotSpots)
        label(canvas, spot.rect, texts.text(spot.text), *small);
    // The readout's window, five cells of ten pixels, and room for its unit beside it.
    const Rect readout{kFathometerReadOutX - 2, kFathometerReadOutY - 2,
                       kFathometerReadOutX + kFathometerReadOutDigits * 10 + 2, kFathometerReadOutY + 12};
    fillRect(canvas, readout, palette::kGlass, palette::kGlass, 0, 0.0f);
    bevel(canvas, readout, 2, false);
    fillRect(canvas, Rect{kFathometerUnitX - 2, kFathometerUnitY - 2, kFathometerUnitX + 18, kFathometerUnitY + 14},
             palette::kGlass, palette::kGlass, 0, 0.0f);
    stage(context, kFathometerGroup, kFathometerBackground, bitmapFile(canvas));

    stagePageButtons(context, kFathometerGroup, kFathometerPageButtons, *pageButtonFont(texts));
    const auto scaleFont = texts.font(kFaceNarrow, 7, false);
    const struct {
        const NavKnobRow& knob;
        std::vector<std::string> labels;
    } knobs[] = {
        {kFathometerTimeKnob, {"1 h", "8 h", "12 h", "24 h", "48 h"}},
        {kFathometerDepthKnob, {"100", "1000", "5000", "10000", "20000", "30000"}},
    };
    for (const auto& [knob, labels] : knobs) {
        const KnobDial dial{{static_cast<double>(kFathometerKnobPivotX), static_cast<double>(kFathometerKnobPivotY)},
                            16.0,
                            static_cast<double>(knob.startAngle),
                            static_cast<double>(knob.sweep),
                            knob.detents,
                            labels};
        stage(context, kFathometerGroup, knob.control.bitmap,
              frameStripFile(knobFrames(knob.control.width, knob.control.height, dial, *scaleFont)));
    }
}

} // namespace

void generateNavigationArt(const Context& context) {
    const ArtTexts texts(context);
    drawChartPage(context, texts);
    drawFathometerPage(context, texts);
}

} // namespace q71::mkdata
