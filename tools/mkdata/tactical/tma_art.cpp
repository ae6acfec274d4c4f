#include "mkdata/tactical/tma_art.h"

#include "mkdata/art/art_texts.h"
#include "mkdata/art/bitmap_file.h"
#include "mkdata/art/buttons.h"
#include "mkdata/art/look.h"
#include "mkdata/graphics/archives.h"

#include <array>

namespace q71::mkdata {
namespace {

constexpr const char* kGroup = "tma";
constexpr int kWidth = 540;
constexpr int kHeight = 420;
constexpr int kDigit = 13;
constexpr Rect kPlotGlass{35, 26, 312, 291};

// A well of black glass round a row of large digits at (x, y).
void digitWell(Canvas& canvas, int x, int y, int digits) {
    glassInset(canvas, Rect{x - 3, y - 3, x + digits * kDigit + 3, y + kDigit + 3});
}

struct HelpArea {
    Rect area;
    const char* text;
};
// The engraved titles over the six help areas.
constexpr std::array<HelpArea, 6> kHelpAreas = {{
    {{413, 7, 469, 18}, "CURSEUR"},
    {{397, 63, 484, 75}, "TRACÉ"},
    {{392, 181, 490, 192}, "CONTACT ANALYSÉ"},
    {{400, 286, 481, 297}, "FUSION"},
    {{399, 345, 484, 356}, "CONTACT"},
    {{120, 325, 234, 336}, "SOLUTION AMC"},
}};

struct Caption {
    Rect area;
    const char* text;
};
// The names of the readouts and switches, beside them.
constexpr std::array<Caption, 12> kCaptions = {{
    {{70, 355, 101, 368}, "RLV"},
    {{76, 380, 141, 391}, "DIST"},
    {{203, 343, 242, 353}, "CAP"},
    {{209, 382, 240, 392}, "VIT"},
    {{345, 370, 386, 383}, "RLV"},
    {{336, 399, 372, 412}, "DIST"},
    {{436, 370, 468, 383}, "CAP"},
    {{448, 399, 474, 412}, "VIT"},
    {{376, 48, 416, 58}, "RLV"},
    {{440, 48, 506, 58}, "DIST"},
    {{150, 338, 185, 348}, "BLOC"},
    {{250, 338, 285, 348}, "BLOC"},
}};

Canvas background(const ArtTexts& texts) {
    Canvas canvas(kWidth, kHeight);
    steelPanel(canvas, Rect{0, 0, kWidth, kHeight}, 2401);
    // The plot's glass with its lit bezel, the lists' wells and the readouts' wells.
    fillRect(canvas,
             Rect{kPlotGlass.left - 5, kPlotGlass.top - 5, kPlotGlass.right + 5, kPlotGlass.bottom + 5},
             shade(palette::kSteelDark, -0.2f), shade(palette::kSteelDark, -0.4f), 0, 0.0f);
    canvas.line({kPlotGlass.left - 3.5, kPlotGlass.top - 3.5}, {kPlotGlass.right + 2.5, kPlotGlass.top - 3.5},
                1.0, palette::kPhosphor, 0.35f);
    glassInset(canvas, kPlotGlass);
    for (int y : {197, 301})
        glassInset(canvas, Rect{358, y - 3, 524, y + 16});
    digitWell(canvas, 104, 355, 3);
    digitWell(canvas, 76, 395, 5);
    digitWell(canvas, 203, 355, 3);
    digitWell(canvas, 209, 395, 2);
    digitWell(canvas, 376, 34, 3);
    digitWell(canvas, 440, 34, 5);
    digitWell(canvas, 389, 370, 3);
    digitWell(canvas, 374, 399, 5);
    digitWell(canvas, 470, 370, 3);
    digitWell(canvas, 476, 399, 2);
    // The panels the buttons sit in.
    bevel(canvas, Rect{360, 70, 534, 172}, 1, false);
    bevel(canvas, Rect{20, 320, 330, 418}, 1, false);
    bevel(canvas, Rect{336, 176, 534, 340}, 1, false);
    const auto titleFont = texts.font(kFaceNarrow, 11, true);
    for (const HelpArea& help : kHelpAreas)
        engravedText(canvas, help.area, artLabel(help.text), titleFont, palette::kLabel, true);
    const auto captionFont = texts.font(kFaceNarrow, 9, false);
    for (const Caption& caption : kCaptions)
        engravedText(canvas, caption.area, artLabel(caption.text), captionFont, palette::kSteelHighlight,
                     false);
    return canvas;
}

// A hold switch: a square key whose lamp is off, warming up as the key goes down, then lit.
std::vector<Canvas> holdFrames(int width, int height) {
    std::vector<Canvas> frames;
    for (int step = 0; step < 3; ++step) {
        Canvas frame(width, height);
        const Rect cap = buttonCap(frame, 2, step > 0, static_cast<std::uint32_t>(width * 17 + height));
        const PointF centre{(cap.left + cap.right) / 2.0, (cap.top + cap.bottom) / 2.0};
        const double radius = std::min(cap.width(), cap.height()) * 0.28;
        const Colour lamp = step == 0   ? shade(palette::kAmber, -0.7f)
                            : step == 1 ? shade(palette::kAmber, -0.35f)
                                        : palette::kAmber;
        frame.disc(centre, radius + 1.0, shade(palette::kSteelDark, -0.5f));
        frame.disc(centre, radius, lamp);
        if (step == 2)
            frame.glow(centre, radius * 2.0, palette::kAmber, 0.35f);
        frames.push_back(std::move(frame));
    }
    return frames;
}

struct ButtonArt {
    const char* name;
    int width, height;
    const char* text;
};
constexpr std::array<ButtonArt, 11> kButtons = {{
    {"X025Y370.bmp", 34, 42, "CTR"},
    {"X290Y370.bmp", 32, 36, "ENR"},
    {"x366y216.bmp", 53, 37, "FUS"},
    {"x457y216.bmp", 55, 37, "SÉP"},
    {"X368Y252.bmp", 33, 34, "SUP"},
    {"X365Y090.bmp", 34, 35, "+"},
    {"X365Y125.bmp", 35, 35, "-"},
    {"X434Y105.bmp", 31, 38, "O"},
    {"X497Y105.bmp", 32, 37, "E"},
    {"X465Y075.bmp", 34, 35, "N"},
    {"X465Y140.bmp", 33, 28, "S"},
}};

struct HoldArt {
    const char* name;
    int width, height;
};
constexpr std::array<HoldArt, 4> kHolds = {{
    {"X148Y349.bmp", 35, 35},
    {"X148Y391.bmp", 35, 25},
    {"X248Y349.bmp", 35, 35},
    {"X248Y391.bmp", 35, 25},
}};

} // namespace

void generateTmaArt(const Context& context) {
    const ArtTexts texts(context);
    stageArchiveMember(context, kGraphicsFolder, kGroup, "scrn24.bmp", bitmapFile(background(texts)));
    for (const HoldArt& hold : kHolds)
        stageArchiveMember(context, kGraphicsFolder, kGroup, hold.name,
                           frameStripFile(holdFrames(hold.width, hold.height)));
    const auto buttonFont = texts.font(kFaceNarrow, 9, false);
    for (const ButtonArt& button : kButtons) {
        // Up and pressed; the station never disables them.
        std::vector<Canvas> frames =
            pushButtonFrames(button.width, button.height, artLabel(button.text), buttonFont);
        frames.pop_back();
        stageArchiveMember(context, kGraphicsFolder, kGroup, button.name, frameStripFile(frames));
    }
}

} // namespace q71::mkdata
