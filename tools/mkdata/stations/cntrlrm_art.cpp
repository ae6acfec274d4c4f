#include "mkdata/stations/cntrlrm_art.h"

#include "mkdata/art/art_texts.h"
#include "mkdata/art/bitmap_file.h"
#include "mkdata/art/look.h"
#include "mkdata/art/station_face.h"
#include "mkdata/graphics/archives.h"
#include "stations/cntrlrm/cntrlrm_layout.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <vector>

namespace q71::mkdata {
namespace {

constexpr int kDot = 9; // the marker dots' side
// The glass the plan is drawn on: round every viewpoint's dot, with room for the walls.
constexpr Rect kPlanGlass{72, 266, 216, 404};
// The engraved names of the station keys, by button.
constexpr std::array<const char*, kRoomStationButtonCount> kStationWords = {
    "PILOTAGE",  "CHAMBRE DU CDT", "SONAR", "ANALYSE CIBLE (AMC)", "CONDUITE DE TIR", "RADAR",
    "PÉRISCOPE", "NAVIGATION",     "RADIO",
};

void stage(const Context& context, const std::string& name, const std::string& file) {
    stageArchiveMember(context, kGraphicsFolder, kRoomGroup, name, file);
}

Rect rectOf(const RoomButtonRow& row) {
    return {row.x, row.y, row.x + row.width, row.y + row.height};
}

PointF dotCentre(const RoomViewpoint& v) {
    return {v.planX + kDot / 2.0 + 0.5, v.planY + kDot / 2.0 + 0.5};
}

// The plan: the room's outline on the glass, each post's console drawn where its camera faces and a
// ring where its marker stands.
void drawPlan(Canvas& canvas, const LetterFont& font) {
    glassInset(canvas, kPlanGlass);
    const Colour ink = shade(palette::kPhosphor, -0.35f);
    const Rect walls{kPlanGlass.left + 8, kPlanGlass.top + 14, kPlanGlass.right - 8, kPlanGlass.bottom - 6};
    const PointF corners[] = {{double(walls.left), double(walls.top)},
                              {double(walls.right), double(walls.top)},
                              {double(walls.right), double(walls.bottom)},
                              {double(walls.left), double(walls.bottom)}};
    for (int i = 0; i < 4; ++i)
        canvas.line(corners[i], corners[(i + 1) % 4], 1.0, ink);
    letterLabel(canvas, {Rect{walls.left, kPlanGlass.top + 2, walls.right, walls.top - 1}, Align::Centre, {}}, "AVANT",
                font, ink, Relief::Flat);
    for (const RoomViewpoint& v : kRoomViewpoints) {
        const PointF c = dotCentre(v);
        const double h = v.camera.heading * std::numbers::pi / 180.0;
        const PointF ahead{c.x + 11.0 * std::sin(h), c.y - 11.0 * std::cos(h)};
        const PointF across{4.0 * std::cos(h), 4.0 * std::sin(h)};
        canvas.line({ahead.x - across.x, ahead.y - across.y}, {ahead.x + across.x, ahead.y + across.y}, 2.5,
                    palette::kSteelHighlight);
        canvas.ring(c, kDot / 2.0 + 1.0, 1.0, ink);
    }
}

Canvas face(const ArtTexts& texts) {
    std::vector<Rect> recesses;
    for (const RoomButtonRow& row : kRoomStationButtons)
        recesses.push_back(rectOf(row));
    for (const RoomButtonRow& row : kRoomArrowButtons)
        recesses.push_back(rectOf(row));
    Canvas canvas = stationFace(3001, kRoomViewRect, recesses);
    const auto title = texts.font(kFaceNarrow, 13, true);
    const auto small = texts.font(kFaceNarrow, 11, true);
    engravedText(canvas, Rect{69, 3, 469, 17}, artLabel("CENTRAL OPÉRATIONS"), title, palette::kLabel, true);
    engravedText(canvas, Rect{225, 268, 345, 281}, artLabel("POSTES"), small, palette::kLabel, true);
    engravedText(canvas, Rect{360, 296, 470, 310}, artLabel("POINT DE VUE"), small, palette::kLabel, true);
    // Under the arrow keys, in the steel below their recesses.
    engravedText(canvas, Rect{357, 356, 413, 372}, artLabel("PRÉC."), small, palette::kLabel, true);
    engravedText(canvas, Rect{418, 356, 474, 372}, artLabel("SUIV."), small, palette::kLabel, true);
    drawPlan(canvas, small);
    return canvas;
}

// Two dots stored bottom-up with one dark row between: the dim one above, the lit one below (the
// current viewpoint's, read from the first stored rows).
Canvas markerDots() {
    Canvas canvas(kDot, 2 * kDot + 1);
    canvas.fill(palette::kGlass);
    const double r = kDot / 2.0 - 0.5;
    canvas.disc({kDot / 2.0, kDot / 2.0}, r, shade(palette::kPhosphor, -0.6f));
    canvas.disc({kDot / 2.0, kDot + 1 + kDot / 2.0}, r, palette::kAmber);
    canvas.glow({kDot / 2.0, kDot + 1 + kDot / 2.0}, r, palette::kWhite, 0.35f);
    return canvas;
}

enum class Key { Up, Down, Disabled };

// A slim key of the button column: a strip of steel as high as the key, framed only at its ends
// (its eleven rows just hold a name with accents, a blank row above and below), a lamp on the left
// lit while its post is current, and the station's name.
Canvas stationKey(const RoomButtonRow& row, const std::string& word, const LetterFont& font, Key look) {
    Canvas frame(row.width, row.height);
    const bool down = look == Key::Down;
    const Rect strip{0, 0, row.width, row.height};
    fillRect(frame, strip, down ? shade(palette::kSteel, -0.1f) : shade(palette::kSteelLight, 0.05f),
             down ? shade(palette::kSteel, -0.3f) : shade(palette::kSteel, -0.05f),
             static_cast<std::uint32_t>(row.y * 7 + row.width), 0.015f);
    for (int y = 0; y < row.height; ++y) {
        frame.blend(0, y, down ? palette::kBlack : palette::kWhite, 0.35f);
        frame.blend(row.width - 1, y, down ? palette::kWhite : palette::kBlack, 0.35f);
    }
    const Colour lampColour = look == Key::Disabled ? shade(palette::kSteelDark, -0.2f)
                              : down                ? palette::kAmber
                                                    : shade(palette::kAmber, -0.55f);
    const Rect lamp{3, 3, 6, row.height - 3};
    fillRect(frame, lamp, lampColour, lampColour, 0, 0.0f);
    const Colour ink = look == Key::Disabled ? shade(palette::kSteelLight, 0.1f) : palette::kLabel;
    // Flat: a shadow under the accents would need a row the key does not have. Two blank columns
    // part the name from the small lamp.
    letterLabel(frame, {Rect{lamp.right + 1, 0, row.width - 1, row.height}, Align::Left, {lamp}}, word, font, ink,
                Relief::Flat);
    return frame;
}

// An arrow key: a steel cap with a triangle pointing left or right.
std::vector<Canvas> arrowKey(const RoomButtonRow& row, bool right) {
    std::vector<Canvas> frames;
    for (bool down : {false, true}) {
        Canvas frame(row.width, row.height);
        const Rect cap = buttonCap(frame, 2, down, static_cast<std::uint32_t>(row.x));
        const double cx = (cap.left + cap.right) / 2.0, cy = (cap.top + cap.bottom) / 2.0;
        const double w = cap.width() * 0.28, h = cap.height() * 0.3;
        const double tip = right ? cx + w : cx - w, back = right ? cx - w : cx + w;
        frame.polygon({{tip, cy}, {back, cy - h}, {back, cy + h}}, down ? palette::kAmber : palette::kLabel);
        frames.push_back(std::move(frame));
    }
    return frames;
}

} // namespace

void generateControlRoomArt(const Context& context) {
    const ArtTexts texts(context);
    stage(context, kRoomBackground, bitmapFile(face(texts)));
    stage(context, kRoomMarker, bitmapFile(markerDots()));
    const auto keyFont = texts.font(kFaceNarrow, 9, false);
    for (std::size_t i = 0; i < kRoomStationButtons.size(); ++i) {
        const RoomButtonRow& row = kRoomStationButtons[i];
        const std::string word = artLabel(kStationWords[i]);
        const std::vector<Canvas> frames{stationKey(row, word, keyFont, Key::Up),
                                         stationKey(row, word, keyFont, Key::Down),
                                         stationKey(row, word, keyFont, Key::Disabled)};
        stage(context, row.bitmap, frameStripFile(frames));
    }
    for (const RoomButtonRow& row : kRoomArrowButtons)
        stage(context, row.bitmap, frameStripFile(arrowKey(row, row.id == kRoomNextCommand)));
}

} // namespace q71::mkdata
