#include "mkdata/stations/host_art.h"

#include "frontend/screen_art.h"
#include "frontend/stateroom/stateroom_layout.h"
#include "mkdata/art/art_texts.h"
#include "mkdata/art/bitmap_file.h"
#include "mkdata/art/buttons.h"
#include "mkdata/art/field_strips.h"
#include "mkdata/art/look.h"
#include "mkdata/art/scroll_parts.h"
#include "mkdata/frontend/console_screens.h"
#include "mkdata/frontend/scenery.h"
#include "mkdata/graphics/archives.h"
#include "mkdata/stations/entview_art.h"

#include <algorithm>
#include <array>

namespace q71::mkdata {
namespace {

constexpr const char* kGroup = "geninfo";
constexpr int kColumnLeft = 540; // the column's left edge on the screen
constexpr int kBarTop = 420;     // the bar's top edge on the screen
constexpr int kSmallDigit = 10;

struct Well {
    int x, y, digits;
    const char* caption;
};
// The order readouts, in screen coordinates.
constexpr std::array<Well, 3> kOrderWells = {{
    {580, 40, 2, "VIT"},
    {575, 63, 3, "CAP"},
    {570, 86, 4, "IMM"},
}};

// Where an order readout's caption stands: left of its well, on its height.
Rect captionFace(const Well& well) {
    const int left = well.x - kColumnLeft;
    return {3, well.y - 3, left - 3, well.y + kSmallDigit + 3};
}

Canvas column(const ArtTexts& texts) {
    Canvas canvas(100, 480);
    steelPanel(canvas, Rect{0, 0, 100, 480}, 2901);
    // The captions share the largest size in which every one fits beside its well.
    const LetterFont captionFont = texts.font(kFaceNarrow, 11, true).largestWhere([](const LetterFont& font) {
        return std::all_of(kOrderWells.begin(), kOrderWells.end(), [&](const Well& well) {
            return font.fitsIn(well.caption, {captionFace(well), Align::Left, {}});
        });
    });
    // The clock's glass (its panel is 70 by 10 at 555, 17).
    glassInset(canvas, Rect{555 - kColumnLeft - 2, 15, 625 - kColumnLeft + 2, 29});
    engravedText(canvas, Rect{12, 3, 88, 14}, artLabel("HEURE"), captionFont, palette::kLabel, true);
    for (const Well& well : kOrderWells) {
        const int left = well.x - kColumnLeft;
        glassInset(canvas, Rect{left - 2, well.y - 2, left + well.digits * kSmallDigit + 2, well.y + kSmallDigit + 2});
        engravedText(canvas, captionFace(well), well.caption, captionFont, palette::kLabel, false);
    }
    engravedText(canvas, Rect{8, 100, 92, 112}, artLabel("POSTES"), captionFont, palette::kLabel, true);
    bevel(canvas, Rect{3, 112, 97, 403}, 1, false);
    // The compression's glass and its caption, under the pause button.
    engravedText(canvas, Rect{8, 431, 92, 442}, artLabel("TEMPS"), captionFont, palette::kLabel, true);
    glassInset(canvas, Rect{573 - kColumnLeft, 443, 606 - kColumnLeft, 459});
    return canvas;
}

// The bar under the stations: the message log's glass. The log stands two rows below the bar's
// top, too close for a caption over it: the glass goes unlabelled, its lines say what it is.
Canvas bar() {
    Canvas canvas(540, 60);
    steelPanel(canvas, Rect{0, 0, 540, 60}, 2902);
    glassInset(canvas, Rect{21, 429 - kBarTop - 2, 519, 470 - kBarTop + 2});
    return canvas;
}

struct StationArt {
    const char* name;
    const char* word;
    char key;
};
// By station index: the button's picture, a short name and the key letter (Alt+letter).
constexpr std::array<StationArt, 14> kStations = {{
    {"X006Y115.bmp", "BARRE", 'A'},
    {"X050Y115.bmp", "SONAR", 'B'},
    {"X006Y156.bmp", "RADAR", 'C'},
    {"X050Y156.bmp", "RADIO", 'D'},
    {"X006Y197.bmp", "AMC", 'E'},
    {"X050Y197.bmp", "TIR", 'F'},
    {"X006Y238.bmp", "PÉRI", 'G'},
    {"X050Y238.bmp", "CÉL", 'H'},
    {"X006Y279.bmp", "FICHES", 'I'},
    {"X050Y279.bmp", "RÉF", 'J'},
    {"X006Y320.bmp", "NAV", 'K'},
    {"X050Y320.bmp", "CARRÉ", 'L'},
    {"X006Y360.bmp", "CO", 'M'},
    {"X050Y360.bmp", "MOB", 'N'},
}};

// A station key: the name engraved, the key letter under it in amber, lit while selected; up,
// down and disabled (dimmed: a slot without its station, or locked after the boat's loss).
std::vector<Canvas> stationFrames(const StationArt& station, const LetterFont& wordFont, const LetterFont& keyFont) {
    constexpr int kBevel = 2;
    std::vector<Canvas> frames;
    for (bool down : {false, true}) {
        Canvas frame(44, 40);
        const Rect cap = buttonCap(frame, kBevel, down, static_cast<std::uint32_t>(station.key) * 31);
        const Rect face = cap.inflatedBy(-kBevel, -kBevel);
        const int middle = (face.top + face.bottom) / 2;
        engravedText(frame, Rect{face.left, face.top, face.right, middle}, artLabel(station.word), wordFont,
                     palette::kLabel, true);
        const Colour key = down ? palette::kAmber : shade(palette::kAmber, -0.45f);
        if (down)
            frame.glow({(face.left + face.right) / 2.0, middle + 8.0}, 5.0, palette::kAmber, 0.2f);
        engravedText(frame, Rect{face.left, middle, face.right, face.bottom}, std::string(1, station.key), keyFont,
                     key, true);
        frames.push_back(std::move(frame));
    }
    Canvas disabled = frames.front();
    disabled.darken(0.5f);
    frames.push_back(std::move(disabled));
    return frames;
}

// The message log's scroll thumb: a small steel cap.
Canvas thumb() {
    Canvas frame(16, 16);
    buttonCap(frame, 1, false, 1601);
    return frame;
}

// The state room: the captain's cabin, the mission's name and clock, and the safe whose two
// toggles save and load the mission.
void stateroom(const Context& context, const ArtTexts& texts) {
    using namespace stateroom_layout;
    Canvas canvas(kWidth, kHeight);
    steelPanel(canvas, Rect{0, 0, kWidth, kHeight}, 2330);
    const auto titleFont = texts.font(kFaceNarrow, 21, true);
    titlePlate(canvas, kTitle, "", titleFont, 2331);
    glassInset(canvas, kNameGlass);
    glassInset(canvas, kClockGlass);
    fillRect(canvas, kSafeDoor, palette::kSteelLight, palette::kSteelDark, 2332, 0.04f);
    bevel(canvas, kSafeDoor, 4, true);
    engravedLine(canvas, {kSafeLabel.left + 0.5, kSafeLabel.bottom + 0.5},
                 {kSafeLabel.right - 0.5, kSafeLabel.bottom + 0.5});
    glassInset(canvas, kSafeGlass);
    stageArchiveMember(context, kGraphicsFolder, kStateroomGroup, kBackgroundName, bitmapFile(canvas));
    const ScreenButton buttons[] = {{kSaveX, kToggleY, kToggleWidth, kToggleHeight, 2902},
                                    {kLoadX, kToggleY, kToggleWidth, kToggleHeight, 2903},
                                    {kOptionsX, kButtonY, kButtonWidth, kButtonHeight, 2904},
                                    {kEndX, kButtonY, kButtonWidth, kButtonHeight, 2905}};
    stageScreenButtons(context, texts, kStateroomGroup, buttons);
}

} // namespace

void generateHostArt(const Context& context) {
    const ArtTexts texts(context);
    stageArchiveMember(context, kGraphicsFolder, kGroup, "scrn29.bmp", bitmapFile(column(texts)));
    stageArchiveMember(context, kGraphicsFolder, kGroup, "scrn29b.bmp", bitmapFile(bar()));
    const auto wordFont = texts.font(kFaceNarrow, 9, false);
    const auto keyFont = texts.font(kFaceNarrow, 13, true);
    for (const StationArt& station : kStations)
        stageArchiveMember(context, kGraphicsFolder, kGroup, station.name,
                           frameStripFile(stationFrames(station, wordFont, keyFont)));
    const auto pauseFont = texts.font(kFaceNarrow, 13, true);
    stageArchiveMember(context, kGraphicsFolder, kGroup, "X000Y400.bmp",
                       frameStripFile(pushButtonFrames(100, 30, texts.text(40), pauseFont)));
    stageArchiveMember(context, kGraphicsFolder, kGroup, "arrowl.bmp",
                       frameStripFile(arrowButtonFrames(16, ArrowDirection::Left)));
    stageArchiveMember(context, kGraphicsFolder, kGroup, "arrowr.bmp",
                       frameStripFile(arrowButtonFrames(16, ArrowDirection::Right)));
    // The glass's bars: arrows of three frames as the bar reads them, and a track long enough for a
    // bar between two arrows as high as the screen.
    stageArchiveMember(context, kGraphicsFolder, "shared", "arrowu.bmp", frameStripFile(scrollArrowFrames(16, true)));
    stageArchiveMember(context, kGraphicsFolder, "shared", "arrowd.bmp", frameStripFile(scrollArrowFrames(16, false)));
    stageArchiveMember(context, kGraphicsFolder, "shared", "caret.bmp", bitmapFile(thumb()));
    stageArchiveMember(context, kGraphicsFolder, "shared", "track.bmp", bitmapFile(scrollTrack(16, 480 - 2 * 16)));
    stateroom(context, texts);
    drawEntityViewerArt(context, texts);
}

} // namespace q71::mkdata
