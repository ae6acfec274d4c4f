#include "mkdata/periscope/periscope_art.h"

#include "mkdata/art/art_texts.h"
#include "mkdata/art/bitmap_file.h"
#include "mkdata/art/console_parts.h"
#include "mkdata/art/look.h"
#include "mkdata/art/row_rect.h"
#include "mkdata/graphics/archives.h"
#include "tactical/periscope/periscope_panel.h"
#include "tactical/stadimeter/stadimeter_panel.h"

#include <cmath>
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
std::vector<Canvas> labelledFrames(const StationControlRow& row, const char* label, const LetterFont& font) {
    return lampButtonFrames(row.width, row.height, artLabel(label), font);
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
    const auto font = texts.font(kFaceNarrow, 11, true);
    engravedText(canvas, kPeriscopeEsmLabel, artLabel("ESM"), font, palette::kLabel, true);
    engravedText(canvas, Rect{447, 8, 533, 24}, artLabel("NUIT / MÂT"), font, palette::kLabel, true);
    engravedText(canvas, Rect{84, 344, 160, 356}, artLabel("ORIENTER"), font, palette::kLabel, true);
    engravedText(canvas, Rect{380, 336, 446, 350}, artLabel("GROSS."), font, palette::kLabel, true);
    return canvas;
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
    const auto font = texts.font(kFaceNarrow, 9, false);
    for (const StadimeterLabel& label : kStadimeterLabels)
        engravedText(canvas, label.rect, texts.text(label.text), font, palette::kLabel, true);
    return canvas;
}

} // namespace

void generatePeriscopeConsole(const Context& context) {
    const ArtTexts texts(context);
    stage(context, kPeriscopeGroup, kPeriscopeBackground, bitmapFile(periscopeFace(texts)));
    const auto font = texts.font(kFaceNarrow, 9, false);
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
            frames = labelledFrames(r, "VISÉE", font);
            break;
        case kPeriscopePage:
            frames = labelledFrames(r, "PÉRI", font);
            break;
        case kStadimeterPage:
            frames = labelledFrames(r, "STAD", font);
            break;
        case kPeriscopeToStadimeter:
            frames = labelledFrames(r, "IMAGE", font);
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
    const auto font = texts.font(kFaceNarrow, 9, false);
    const char* labels[] = {nullptr, nullptr, "TYPE-", "TYPE+", nullptr, nullptr, "ZOOM+", "ZOOM-", "RAPPORT", "PÉRI", "STAD"};
    for (std::size_t i = 0; i < kStadimeterButtons.size(); ++i) {
        const StationControlRow& r = kStadimeterButtons[i].row;
        std::vector<Canvas> frames;
        switch (r.id) {
        case kStadimeterSplitDown:
            frames = arrowFrames(r.width, r.height, Arrow::Down);
            break;
        case kStadimeterSplitUp:
            frames = arrowFrames(r.width, r.height, Arrow::Up);
            break;
        case kStadimeterYawLeft:
            frames = arrowFrames(r.width, r.height, Arrow::Left);
            break;
        case kStadimeterYawRight:
            frames = arrowFrames(r.width, r.height, Arrow::Right);
            break;
        default:
            frames = labelledFrames(r, labels[i], font);
            break;
        }
        stage(context, kStadimeterGroup, r.bitmap, frameStripFile(frames));
    }
}

} // namespace q71::mkdata
