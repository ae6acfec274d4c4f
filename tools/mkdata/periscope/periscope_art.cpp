#include "mkdata/periscope/periscope_art.h"

#include "mkdata/art/art_texts.h"
#include "mkdata/art/bitmap_file.h"
#include "mkdata/art/buttons.h"
#include "mkdata/art/console_parts.h"
#include "mkdata/art/look.h"
#include "mkdata/art/panel_sizes.h"
#include "mkdata/art/row_rect.h"
#include "mkdata/graphics/archives.h"
#include "tactical/periscope/periscope_panel.h"
#include "tactical/stadimeter/stadimeter_panel.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace q71::mkdata {
namespace {

constexpr int kWidth = 540;
constexpr int kHeight = 420;

enum class Arrow { Left, Right, Up, Down };

// A key cap with an engraved arrow, up and pressed.
std::vector<Canvas> arrowFrames(int width, int height, Arrow arrow) {
    std::vector<Canvas> frames;
    for (int f = 0; f < 2; ++f) {
        Canvas frame(width, height);
        const Rect cap = buttonCap(frame, 2, f == 1, static_cast<std::uint32_t>(width * 31 + height));
        const double cx = (cap.left + cap.right) / 2.0, cy = (cap.top + cap.bottom) / 2.0;
        const double r = std::min(cap.width(), cap.height()) * 0.3;
        std::vector<PointF> tip;
        switch (arrow) {
        case Arrow::Left:
            tip = {{cx - r, cy}, {cx + r * 0.7, cy - r}, {cx + r * 0.7, cy + r}};
            break;
        case Arrow::Right:
            tip = {{cx + r, cy}, {cx - r * 0.7, cy - r}, {cx - r * 0.7, cy + r}};
            break;
        case Arrow::Up:
            tip = {{cx, cy - r}, {cx - r, cy + r * 0.7}, {cx + r, cy + r * 0.7}};
            break;
        case Arrow::Down:
            tip = {{cx, cy + r}, {cx - r, cy - r * 0.7}, {cx + r, cy - r * 0.7}};
            break;
        }
        frame.polygon(tip, f == 1 ? palette::kAmber : palette::kLabel);
        frames.push_back(std::move(frame));
    }
    return frames;
}

// A lamp of the meter: a lens bar, dark then lit.
std::vector<Canvas> meterLampFrames(int width, int height, Colour colour) {
    std::vector<Canvas> frames;
    for (int f = 0; f < 2; ++f) {
        Canvas frame(width, height);
        frame.fill(shade(palette::kSteelDark, -0.4f));
        const Rect lens{3, 4, width - 3, height - 4};
        fillRect(frame, lens, f == 1 ? shade(colour, 0.25f) : shade(colour, -0.7f),
                 f == 1 ? colour : shade(colour, -0.8f), 0, 0.0f);
        bevel(frame, lens, 1, false);
        if (f == 1)
            frame.glow({width / 2.0, height / 2.0}, width * 0.45, colour, 0.25f);
        frames.push_back(std::move(frame));
    }
    return frames;
}

// A button with a label, up and pressed (no disabled look: the stations never disable them).
std::vector<Canvas> labelledFrames(const StationControlRow& row, const std::string& label, const LetterFont& font) {
    std::vector<Canvas> frames = pushButtonFrames(row.width, row.height, label, font);
    frames.pop_back();
    return frames;
}

// The size a panel's buttons share: the largest that leaves each label whole beside or under its
// lamp. `rows` are the panel's control rows, `labelOf` a control's word (empty: none).
template <typename Rows>
LetterFont buttonFont(const ArtTexts& texts, const Rows& rows, std::string (*labelOf)(int)) {
    std::vector<ButtonLabel> buttons;
    for (const auto& control : rows)
        if (const std::string label = labelOf(control.row.id); !label.empty())
            buttons.push_back({control.row.width, control.row.height, label});
    return pushButtonFont(texts.font(kFaceNarrow, 11, true), buttons);
}

// A panel's labels in the size they share.
void engrave(Canvas& canvas, const ArtTexts& texts, const std::vector<EngravedLabel>& engravings) {
    engraveLabels(canvas, engravings, sharedLabelFont(texts.font(kFaceNarrow, 11, true), engravings));
}

void recesses(Canvas& canvas, const std::vector<Rect>& controls) {
    for (const Rect& r : controls)
        bevel(canvas, Rect{r.left - 2, r.top - 2, r.right + 2, r.bottom + 2}, 2, false);
}

void stage(const Context& context, const char* group, const std::string& name, const std::string& file) {
    stageArchiveMember(context, kGraphicsFolder, group, name, file);
}

// The panel: steel with the round optic in a lit bezel, the controls in their recesses, the
// meter's column, and the labels.
Canvas periscopeFace(const ArtTexts& texts) {
    Canvas canvas(kWidth, kHeight);
    steelPanel(canvas, Rect{0, 0, kWidth, kHeight}, 2801);
    const Rect o = kPeriscopeOptic;
    const PointF centre{(o.left + o.right) / 2.0, (o.top + o.bottom) / 2.0};
    const double radius = o.width() / 2.0;
    canvas.disc(centre, radius + 12.0, shade(palette::kSteelDark, -0.3f));
    canvas.ring(centre, radius + 11.0, 2.0, palette::kSteelHighlight, 0.6f);
    for (int i = 0; i < 8; ++i)
        screwHead(canvas, {centre.x + (radius + 6.0) * std::sin(i * 0.785398), centre.y - (radius + 6.0) * std::cos(i * 0.785398)},
                  0.4 * i);
    canvas.disc(centre, radius + 1.0, palette::kGlass);
    canvas.ring(centre, radius + 2.0, 1.5, palette::kAmber, 0.3f);
    std::vector<Rect> controls;
    for (const PeriscopeControlRow& c : kPeriscopeControls)
        controls.push_back(rowRect(c.row));
    recesses(canvas, controls);
    glassInset(canvas, Rect{472, 141, 512, 321});
    engrave(canvas, texts,
            {centredLabel(kPeriscopeEsmLabel, artLabel("ESM")), centredLabel(Rect{447, 8, 533, 24}, artLabel("NUIT / MÂT")),
             centredLabel(Rect{84, 344, 160, 356}, artLabel("ORIENTER")),
             centredLabel(Rect{380, 336, 446, 350}, artLabel("GROSS."))});
    return canvas;
}

// The row of the stadimeter page's button with that command.
const StationControlRow& stadimeterButton(int id) {
    return std::find_if(kStadimeterButtons.begin(), kStadimeterButtons.end(),
                        [&](const StadimeterButtonRow& b) { return b.row.id == id; })
        ->row;
}

Canvas stadimeterFace(const ArtTexts& texts) {
    Canvas canvas(kWidth, kHeight);
    steelPanel(canvas, Rect{0, 0, kWidth, kHeight}, 2802);
    for (const Rect& view : {kStadimeterImageRect, kStadimeterSilhouetteRect}) {
        canvas.line({view.left - 4.0, view.top - 4.0}, {view.right + 3.0, view.top - 4.0}, 1.0, palette::kAmber, 0.3f);
        glassInset(canvas, Rect{view.left - 3, view.top - 3, view.right + 3, view.bottom + 3});
    }
    for (const Rect& r : {kStadimeterShipLabel, kStadimeterMastReadout, kStadimeterAspectReadout, kStadimeterRangeReadout})
        glassInset(canvas, Rect{r.left - 2, r.top - 2, r.right + 2, r.bottom + 2});
    std::vector<Rect> controls;
    for (const StadimeterButtonRow& b : kStadimeterButtons)
        controls.push_back(rowRect(b.row));
    recesses(canvas, controls);
    // Each label over its hot spot, widened into the free steel between the views, readouts and
    // buttons round it (the spots are too short for the accents): the image's, the silhouette's,
    // the split's, the ship type's, the mast height's, the aspect's and the range's.
    const Rect faces[] = {{22, 2, 323, 24},     {22, 232, 323, 250},  {366, 2, 525, 18},   {362, 89, 536, 113},
                          {362, 175, 536, 187}, {362, 205, 536, 224}, {362, 323, 466, 337}};
    static_assert(std::size(faces) == kStadimeterLabels.size());
    std::vector<EngravedLabel> engravings;
    for (std::size_t i = 0; i < kStadimeterLabels.size(); ++i)
        engravings.push_back(centredLabel(faces[i], texts.text(kStadimeterLabels[i].text)));
    // The report key is too narrow for its word: it is engraved under the key, above the recess of
    // the page key below it.
    const StationControlRow& report = stadimeterButton(kStadimeterReport);
    engravings.push_back(centredLabel(Rect{report.x - 12, report.y + report.height + 2, report.x + report.width + 12,
                                           stadimeterButton(kStadimeterPage).y - 2},
                                      artLabel("RAPPORT")));
    engrave(canvas, texts, engravings);
    return canvas;
}

// The word on a button of the periscope panel; empty for the keys that carry an arrow and the
// toggles.
std::string periscopeLabel(int id) {
    switch (id) {
    case kPeriscopeFix:
        return artLabel("VISÉE");
    case kPeriscopePage:
        return artLabel("PÉRI");
    case kStadimeterPage:
        return "STAD";
    case kPeriscopeToStadimeter:
        return "IMAGE";
    default:
        return {};
    }
}

// The word on a button of the stadimeter page; empty for the keys that carry an arrow or a lamp.
std::string stadimeterLabel(int id) {
    switch (id) {
    case kStadimeterZoomIn:
        return "ZOOM+";
    case kStadimeterZoomOut:
        return "ZOOM-";
    case kPeriscopePage:
        return artLabel("PÉRI");
    case kStadimeterPage:
        return "STAD";
    default:
        return {};
    }
}

} // namespace

void generatePeriscopeConsole(const Context& context) {
    const ArtTexts texts(context);
    stage(context, kPeriscopeGroup, kPeriscopeBackground, bitmapFile(periscopeFace(texts)));
    const LetterFont font = buttonFont(texts, kPeriscopeControls, periscopeLabel);
    for (const PeriscopeControlRow& c : kPeriscopeControls) {
        const StationControlRow& r = c.row;
        std::vector<Canvas> frames;
        switch (r.id) {
        case kPeriscopeTrainLeft:
            frames = arrowFrames(r.width, r.height, Arrow::Left);
            break;
        case kPeriscopeTrainRight:
            frames = arrowFrames(r.width, r.height, Arrow::Right);
            break;
        case kPeriscopeTiltUp:
            frames = arrowFrames(r.width, r.height, Arrow::Up);
            break;
        case kPeriscopeTiltDown:
            frames = arrowFrames(r.width, r.height, Arrow::Down);
            break;
        case kPeriscopeFix:
        case kPeriscopePage:
        case kStadimeterPage:
        case kPeriscopeToStadimeter:
            frames = labelledFrames(r, periscopeLabel(r.id), font);
            break;
        case kPeriscopeZoomIn:
            frames = arrowFrames(r.width, r.height, Arrow::Up);
            break;
        case kPeriscopeZoomOut:
            frames = arrowFrames(r.width, r.height, Arrow::Down);
            break;
        default:
            frames = toggleSwitchFrames(r.width, r.height, r.frames);
            break;
        }
        stage(context, kPeriscopeGroup, r.bitmap, frameStripFile(frames));
    }
    // The meter: amber from the bottom, the top three red.
    for (std::size_t i = 0; i < kPeriscopeLamps.size(); ++i) {
        const StationControlRow& r = kPeriscopeLamps[i];
        stage(context, kPeriscopeGroup, r.bitmap,
              frameStripFile(meterLampFrames(r.width, r.height, i < 6 ? palette::kAmber : palette::kRed)));
    }
}

void generateStadimeterConsole(const Context& context) {
    const ArtTexts texts(context);
    stage(context, kStadimeterGroup, kStadimeterBackground, bitmapFile(stadimeterFace(texts)));
    const LetterFont font = buttonFont(texts, kStadimeterButtons, stadimeterLabel);
    for (const StadimeterButtonRow& b : kStadimeterButtons) {
        const StationControlRow& r = b.row;
        std::vector<Canvas> frames;
        switch (r.id) {
        case kStadimeterSplitDown:
            frames = arrowFrames(r.width, r.height, Arrow::Down);
            break;
        case kStadimeterSplitUp:
            frames = arrowFrames(r.width, r.height, Arrow::Up);
            break;
        // The silhouette turns, and the ship types run as a list under their name's window: each
        // pair's keys point the way they go.
        case kStadimeterYawLeft:
        case kStadimeterPreviousType:
            frames = arrowFrames(r.width, r.height, Arrow::Left);
            break;
        case kStadimeterYawRight:
        case kStadimeterNextType:
            frames = arrowFrames(r.width, r.height, Arrow::Right);
            break;
        // The report key: a lamp that lights as it is pressed, its word engraved under it.
        case kStadimeterReport:
            frames = lampButtonFrames(r.width, r.height, "", font);
            break;
        default:
            frames = labelledFrames(r, stadimeterLabel(r.id), font);
            break;
        }
        stage(context, kStadimeterGroup, r.bitmap, frameStripFile(frames));
    }
}

} // namespace q71::mkdata
