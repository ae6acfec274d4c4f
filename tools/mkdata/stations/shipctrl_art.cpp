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
    Rect face; ///< the free steel the caption stands in, over or beside its tool tip's area
    const char* text;
};
// The engraved names over the station's areas (where their pop-up texts are).
constexpr std::array<Caption, 14> kCaptions = {{
    {{19, 2, 83, 17}, "IMMERSION"},
    {{121, 2, 186, 17}, "AIR"},
    {{156, 101, 299, 117}, "SONAR HF"},
    {{239, 2, 347, 17}, "ANTENNE REM."},
    {{417, 2, 512, 17}, "CAP"},
    {{10, 172, 82, 187}, "IMMERSION"},
    {{10, 254, 87, 268}, "SCHNORCHEL"},
    {{10, 301, 82, 322}, "CHASSE"},
    {{129, 192, 227, 206}, "BARRES AR"},
    {{261, 192, 359, 207}, "BARRES AV"},
    {{205, 299, 285, 308}, "BARRE"},
    {{417, 324, 512, 339}, "VITESSE"},
    {{403, 170, 526, 184}, "TRANSMETTEUR"},
    {{432, 376, 496, 390}, "PLONGÉE"},
}};

struct Well {
    int x, y, digits;
};
constexpr std::array<Well, 6> kWells = {{{25, 190, 4}, {25, 219, 4}, {419, 344, 2}, {482, 344, 2}, {134, 30, 3},
                                         {237, 24, 4}}};

struct Dial {
    Rect window; ///< the dial's window covers the glass
    int bezel;   ///< how far the bezel reaches round it
};
// The bezels the dials sit in. The rudder's, in the notch of the wheel's glass, is narrow at its
// top: its caption stands between it and the glass's edge.
constexpr std::array<Dial, 6> kDials = {{
    {{417, 41, 512, 136}, 4},
    {{407, 188, 522, 303}, 4},
    {{133, 210, 223, 290}, 4},
    {{265, 211, 355, 291}, 4},
    {{205, 310, 285, 379}, 2},
    {{104, 297, 386, 421}, 4},
}};

Canvas face(const ArtTexts& texts) {
    Canvas canvas(540, 420);
    steelPanel(canvas, Rect{0, 0, 540, 420}, 2201);
    for (const Dial& dial : kDials) {
        const Rect& w = dial.window;
        fillRect(canvas, Rect{w.left - dial.bezel, w.top - dial.bezel, w.right + dial.bezel, std::min(w.bottom + dial.bezel, 420)},
                 shade(palette::kSteelDark, -0.2f), shade(palette::kSteelDark, -0.4f), 0, 0.0f);
        glassInset(canvas, Rect{w.left, w.top, w.right, std::min(w.bottom, 420)});
    }
    glassInset(canvas, Rect{127, 118, 338, 177}); // the high-frequency sonar's display
    glassInset(canvas, Rect{30, 28, 71, 140});    // the trim gauge
    for (const Well& well : kWells)
        glassInset(canvas, Rect{well.x - 3, well.y - 3, well.x + well.digits * kLargeDigit + 3, well.y + kLargeDigit + 3});
    const auto font = texts.font(kFaceNarrow, 9, false);
    for (const Caption& caption : kCaptions)
        engravedText(canvas, caption.face, artLabel(caption.text), font, palette::kLabel, true);
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
