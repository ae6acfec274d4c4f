#include "mkdata/tactical/tma_art.h"

#include "mkdata/art/art_texts.h"
#include "mkdata/art/bitmap_file.h"
#include "mkdata/art/buttons.h"
#include "mkdata/art/look.h"
#include "mkdata/graphics/archives.h"

#include <algorithm>
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

// The three panels the buttons sit in, framed by an engraved line.
constexpr std::array<Rect, 3> kFrames = {{{360, 70, 534, 172}, {20, 320, 330, 418}, {336, 176, 534, 340}}};

struct Label {
    Rect face; ///< the free steel the label stands in, over or beside its tool tip's area
    const char* text;
};
// The titles of the six help areas, each at the top of its panel's frame or in the steel between
// the readouts; the trace title in its frame's free corner, left of the north key, above the zoom.
constexpr std::array<Label, 6> kTitles = {{
    {{397, 4, 485, 22}, "CURSEUR"},
    {{362, 72, 463, 89}, "TRACÉ"},
    {{338, 177, 532, 194}, "CONTACT ANALYSÉ"},
    {{405, 280, 476, 298}, "FUSION"},
    {{360, 341, 524, 366}, "CONTACT"},
    {{118, 321, 238, 338}, "SOLUTION AMC"},
}};

// The names of the readouts and switches, beside them.
constexpr std::array<Label, 12> kCaptions = {{
    {{62, 353, 100, 370}, "RLV"},
    {{73, 374, 144, 391}, "DIST"},
    {{200, 338, 245, 348}, "CAP"},
    {{200, 373, 245, 391}, "VIT"},
    {{338, 367, 385, 386}, "RLV"},
    {{338, 396, 370, 415}, "DIST"},
    {{432, 367, 466, 386}, "CAP"},
    {{443, 396, 472, 415}, "VIT"},
    {{373, 51, 418, 62}, "RLV"},
    {{437, 51, 508, 62}, "DIST"},
    {{145, 338, 187, 348}, "BLOC"},
    {{245, 338, 287, 348}, "BLOC"},
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
    for (const Rect& frame : kFrames)
        bevel(canvas, frame, 1, false);
    const auto titleFont = texts.font(kFaceNarrow, 11, true);
    for (const Label& title : kTitles)
        engravedText(canvas, title.face, artLabel(title.text), titleFont, palette::kLabel, true);
    const auto captionFont = texts.font(kFaceNarrow, 9, false);
    for (const Label& caption : kCaptions)
        engravedText(canvas, caption.face, artLabel(caption.text), captionFont, palette::kLabel, true);
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
    // One size for every key, the largest that leaves each label whole on its cap.
    const LetterFont buttonFont = texts.font(kFaceNarrow, 11, true).largestWhere([](const LetterFont& font) {
        return std::all_of(kButtons.begin(), kButtons.end(), [&](const ButtonArt& button) {
            return pushButtonFits(button.width, button.height, artLabel(button.text), font);
        });
    });
    for (const ButtonArt& button : kButtons) {
        // Up and pressed; the station never disables them.
        std::vector<Canvas> frames =
            pushButtonFrames(button.width, button.height, artLabel(button.text), buttonFont);
        frames.pop_back();
        stageArchiveMember(context, kGraphicsFolder, kGroup, button.name, frameStripFile(frames));
    }
}

} // namespace q71::mkdata
