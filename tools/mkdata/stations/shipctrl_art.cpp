#include "mkdata/stations/shipctrl_art.h"

#include "mkdata/art/art_texts.h"
#include "mkdata/art/bitmap_file.h"
#include "mkdata/art/console_parts.h"
#include "mkdata/art/look.h"
#include "mkdata/graphics/archives.h"

#include <array>

namespace q71::mkdata {
namespace {

constexpr const char* kGroup = "shipctrl";
constexpr int kLargeDigit = 13;

struct Caption {
    Rect area;
    const char* text;
};
// The engraved names over the station's areas (where their pop-up texts are).
constexpr std::array<Caption, 14> kCaptions = {{
    {{19, 4, 83, 15}, "IMMERSION"},
    {{131, 5, 176, 16}, "AIR"},
    {{156, 104, 299, 115}, "SONAR HF"},
    {{249, 5, 337, 16}, "ANTENNE REM."},
    {{434, 5, 489, 16}, "CAP"},
    {{10, 175, 82, 186}, "IMMERSION"},
    {{18, 257, 87, 268}, "SCHNORCHEL"},
    {{10, 301, 82, 322}, "CHASSE"},
    {{155, 200, 203, 211}, "BARRES AR"},
    {{291, 201, 331, 211}, "BARRES AV"},
    {{217, 300, 276, 311}, "BARRE"},
    {{436, 324, 488, 335}, "VITESSE"},
    {{432, 174, 488, 185}, "TRANSMETTEUR"},
    {{435, 379, 495, 390}, "PLONGÉE"},
}};

struct Well {
    int x, y, digits;
};
constexpr std::array<Well, 6> kWells = {{{25, 190, 4}, {25, 219, 4}, {419, 344, 2}, {482, 344, 2}, {134, 30, 3},
                                         {237, 24, 4}}};

// The bezels the dials sit in (their windows cover the glass).
constexpr std::array<Rect, 6> kDials = {{
    {417, 41, 512, 136},
    {407, 188, 522, 303},
    {133, 210, 223, 290},
    {265, 211, 355, 291},
    {205, 310, 285, 379},
    {104, 297, 386, 421},
}};

Canvas face(const ArtTexts& texts) {
    Canvas canvas(540, 420);
    steelPanel(canvas, Rect{0, 0, 540, 420}, 2201);
    for (const Rect& dial : kDials) {
        fillRect(canvas, Rect{dial.left - 4, dial.top - 4, dial.right + 4, std::min(dial.bottom + 4, 420)},
                 shade(palette::kSteelDark, -0.2f), shade(palette::kSteelDark, -0.4f), 0, 0.0f);
        glassInset(canvas, Rect{dial.left, dial.top, dial.right, std::min(dial.bottom, 420)});
    }
    glassInset(canvas, Rect{127, 118, 338, 177}); // the high-frequency sonar's display
    glassInset(canvas, Rect{30, 28, 71, 140});    // the trim gauge
    for (const Well& well : kWells)
        glassInset(canvas, Rect{well.x - 3, well.y - 3, well.x + well.digits * kLargeDigit + 3, well.y + kLargeDigit + 3});
    const auto font = texts.font(kFaceNarrow, 9, false);
    for (const Caption& caption : kCaptions)
        engravedText(canvas, caption.area, artLabel(caption.text), font, palette::kLabel, true);
    return canvas;
}

// A lamp button that lights as it goes down and stays lit: up, then four lit frames.
std::vector<Canvas> latchFrames(int width, int height, const std::string& text, const LetterFont& font) {
    std::vector<Canvas> lamp = lampButtonFrames(width, height, text, font);
    return {lamp[0], lamp[1], lamp[1], lamp[1], lamp[1]};
}

} // namespace

void generateShipControlArt(const Context& context) {
    const ArtTexts texts(context);
    const auto font = texts.font(kFaceNarrow, 11, true);
    const auto stage = [&](const char* name, const std::vector<Canvas>& frames) {
        stageArchiveMember(context, kGraphicsFolder, kGroup, name, frameStripFile(frames));
    };
    stageArchiveMember(context, kGraphicsFolder, kGroup, "screen22.bmp", bitmapFile(face(texts)));
    stage("X340Y120.bmp", toggleSwitchFrames(45, 60, 5));
    stage("X016Y269.bmp", latchFrames(65, 28, artLabel("HISSER"), font));
    stage("X120Y065.bmp", latchFrames(63, 36, artLabel("COMPR."), font));
    stage("x220y054.bmp", toggleSwitchFrames(96, 43, 5));
    stage("x300y018.bmp", knobFrames(85, 45, 5, 3, -60.0, 120.0));
    stage("x000y322.bmp", toggleSwitchFrames(102, 98, 5));
    stage("X432Y391.bmp", lampButtonFrames(64, 23, artLabel("PLONGÉE"), font, true));
}

} // namespace q71::mkdata
