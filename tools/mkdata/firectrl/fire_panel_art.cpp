#include "mkdata/firectrl/fire_panel_art.h"

#include "mkdata/art/art_texts.h"
#include "mkdata/art/bitmap_file.h"
#include "mkdata/art/buttons.h"
#include "mkdata/art/console_parts.h"
#include "mkdata/art/field_strips.h"
#include "mkdata/art/look.h"
#include "mkdata/graphics/archives.h"
#include "stations/firectrl/fire_layout.h"
#include "stations/firectrl/fire_panel_layout.h"
#include "stations/firectrl/weapon_console_layout.h"

#include <string>
#include <vector>

namespace q71::mkdata {
namespace {

void stage(const Context& context, const std::string& name, const std::vector<Canvas>& frames) {
    stageArchiveMember(context, kGraphicsFolder, kFireGroup, name, frameStripFile(frames));
}

// A valve or door lever; a switch with an extra frame ends with its dimmed, disabled look.
std::vector<Canvas> switchFrames(const PanelControlRow& row, bool extraFrame) {
    std::vector<Canvas> frames = toggleSwitchFrames(row.width, row.height, row.frames - (extraFrame ? 1 : 0));
    if (extraFrame) {
        Canvas disabled = frames.front();
        const Rect all{0, 0, row.width, row.height};
        fillRect(disabled, Rect{2, row.height - 6, row.width - 2, row.height - 2}, palette::kGlass, palette::kGlass,
                 0, 0.0f);
        bevel(disabled, all, 1, false);
        frames.push_back(disabled);
    }
    return frames;
}

std::vector<Canvas> lamp(int width, int height, const std::string& label, const LetterFont& font) {
    return lampButtonFrames(width, height, label, font);
}

std::vector<Canvas> push(int width, int height, int frames, const std::string& label, const LetterFont& font) {
    std::vector<Canvas> strip = pushButtonFrames(width, height, label, font);
    strip.resize(static_cast<std::size_t>(frames), strip.front());
    return strip;
}

// A selector window: for each load its name dimmed (unloaded), then lit amber (loaded). A lamp
// that shows one word or number lit is such a window with its one load.
std::vector<Canvas> selectorFrames(int width, int height, std::initializer_list<const char*> loads,
                                   const LetterFont& font) {
    std::vector<Canvas> frames;
    const Rect all{0, 0, width, height};
    for (const char* name : loads)
        for (bool lit : {false, true}) {
            Canvas window(width, height);
            fillRect(window, all, lit ? palette::kAmber : palette::kGlass,
                     lit ? shade(palette::kAmber, -0.3f) : palette::kGlass, 0, 0.0f);
            bevel(window, all, 1, false);
            engravedText(window, all, name, font, lit ? palette::kBlack : shade(palette::kAmber, -0.5f), true);
            frames.push_back(window);
        }
    return frames;
}

constexpr int kConsoleArrowSize = 10;

// A check box: an empty glass square, then the same with a green tick.
std::vector<Canvas> checkBoxFrames(int size) {
    std::vector<Canvas> frames;
    const Rect all{0, 0, size, size};
    for (bool ticked : {false, true}) {
        Canvas box(size, size);
        fillRect(box, all, palette::kGlass, palette::kGlass, 0, 0.0f);
        bevel(box, all, 1, false);
        if (ticked) {
            const double s = size;
            box.line({0.25 * s, 0.5 * s}, {0.45 * s, 0.72 * s}, 2.0, rgb(0, 248, 0));
            box.line({0.45 * s, 0.72 * s}, {0.78 * s, 0.28 * s}, 2.0, rgb(0, 248, 0));
        }
        frames.push_back(box);
    }
    return frames;
}

} // namespace

void stageFirePanelStrips(const Context& context, const ArtTexts& texts) {
    const auto font = texts.font(kFaceNarrow, 9, false);
    const auto big = texts.font(kFaceNarrow, 12, true);
    stage(context, kTubeFlood.bitmap, switchFrames(kTubeFlood, false));
    stage(context, kTubeEqualize.bitmap, switchFrames(kTubeEqualize, true));
    stage(context, kTubeMuzzle.bitmap, switchFrames(kTubeMuzzle, true));
    stage(context, kCellPressurize.bitmap, switchFrames(kCellPressurize, true));
    stage(context, kCellHatch.bitmap, switchFrames(kCellHatch, true));
    const std::string ready = artLabel("PRÊT");
    stage(context, kTubeReadyLamp.bitmap,
          selectorFrames(kTubeReadyLamp.width, kTubeReadyLamp.height, {ready.c_str()}, font));
    stage(context, kCellReadyLamp.bitmap,
          selectorFrames(kCellReadyLamp.width, kCellReadyLamp.height, {ready.c_str()}, font));
    stage(context, kTubeFire.bitmap,
          coveredButtonFrames(kTubeFire.width, kTubeFire.height, kTubeFire.frames, 3, "FEU", font));
    for (int number = 1; number <= 16; ++number) {
        const std::string label = std::to_string(number);
        stage(context, "light" + label + ".bmp", lamp(kTubeLamp.width, kTubeLamp.height, label, big));
        // The display's launcher overview: the launcher's number in a window lit while it is ready.
        stage(context, label + ".bmp", selectorFrames(23, 23, {label.c_str()}, big));
    }
    stage(context, kFireDecoyLamps[0], lamp(kDecoyLamp.width, kDecoyLamp.height, "2", big));
    stage(context, kFireDecoyLamps[1], lamp(kDecoyLamp.width, kDecoyLamp.height, "1", big));
    stage(context, kTubeSelector.bitmap,
          selectorFrames(kTubeSelector.width, kTubeSelector.height, {"ADCAP", "SLMM", "HARPOON", "TOMAHAWK", "VIDE"},
                         font));
    stage(context, kTubeExerciseSelector,
          selectorFrames(kTubeSelector.width, kTubeSelector.height,
                         {"EXERCICE", "SLMM", "HARPOON", "TOMAHAWK", "VIDE"}, font));
    stage(context, kDecoySelector.bitmap,
          selectorFrames(kDecoySelector.width, kDecoySelector.height,
                         {"A PROFOND", "A SURFACE", "B PROFOND", "B SURFACE", "VIDE"}, font));
    stage(context, kCellSelector.bitmap,
          selectorFrames(kCellSelector.width, kCellSelector.height, {"TLAM", "VIDE"}, font));
    // The display's launcher views.
    stage(context, "pcrt.bmp", push(23, 14, 2, "", font));
    stage(context, "w.bmp", push(18, 23, 2, "F", font));
    stage(context, "leftcrt.bmp", push(30, 20, 2, "<", big));
    stage(context, "ritecrt.bmp", push(30, 20, 2, ">", big));
    // The weapon settings console: the plot key is too low for a label, the console writes its
    // caption above it.
    stage(context, kConsolePlotButton, push(kConsolePlotWidth, kConsolePlotHeight, 2, "", font));
    stage(context, kConsoleCheckBox, checkBoxFrames(kConsoleCheckSize));
    // The editors' arrows, read while this group is selected.
    stage(context, "upcrt.bmp", arrowButtonFrames(kConsoleArrowSize, true));
    stage(context, "dncrt.bmp", arrowButtonFrames(kConsoleArrowSize, false));
}

} // namespace q71::mkdata
