#include "mkdata/tactical/radar_art.h"

#include "mkdata/art/art_texts.h"
#include "mkdata/art/bitmap_file.h"
#include "mkdata/art/console_parts.h"
#include "mkdata/art/look.h"
#include "mkdata/art/row_rect.h"
#include "mkdata/graphics/archives.h"
#include "mkdata/tactical/engraved_labels.h"
#include "tactical/radar/radar_screen.h"

#include <vector>

namespace q71::mkdata {
namespace {

constexpr int kWidth = 540;
constexpr int kHeight = 420;
constexpr int kDigit = 13;

void stage(const Context& context, const std::string& name, const std::string& file) {
    stageArchiveMember(context, kGraphicsFolder, kRadarGroup, name, file);
}

// The steel inside the panel's bevel, where labels may stand, and how far beside its hot spot a
// label's face may reach.
constexpr Rect kSteel{3, 3, kWidth - 3, kHeight - 3};
constexpr int kLabelGrowth = 40;

// The scope: black glass inside the twelve-cornered window, a lit bezel stepped out round it.
// Returns the rectangle the bezel and its screws take.
Rect scopeBezel(Canvas& canvas) {
    std::vector<PointF> window;
    std::vector<PointF> bezel;
    const PointF centre{184.0, 193.0};
    Rect taken;
    for (const Point& p : kRadarScopeWindow) {
        window.push_back({static_cast<double>(p.x), static_cast<double>(p.y)});
        bezel.push_back({centre.x + (p.x - centre.x) * 1.09, centre.y + (p.y - centre.y) * 1.09});
    }
    canvas.polygon(bezel, shade(palette::kSteelDark, -0.3f));
    for (std::size_t i = 0; i < bezel.size(); ++i) {
        canvas.line(bezel[i], bezel[(i + 1) % bezel.size()], 2.0, palette::kSteelHighlight, 0.6f);
        canvas.line(window[i], window[(i + 1) % window.size()], 2.0, palette::kAmber, 0.3f);
        const PointF screw{centre.x + (bezel[i].x - centre.x) * 1.04,
                           centre.y + (bezel[i].y - centre.y) * 1.04};
        screwHead(canvas, screw, 30.0 * static_cast<double>(i));
        taken = taken.united(Rect{static_cast<int>(screw.x) - 6, static_cast<int>(screw.y) - 6,
                                  static_cast<int>(screw.x) + 7, static_cast<int>(screw.y) + 7});
    }
    canvas.polygon(window, palette::kGlass);
    return taken;
}

// The controls sit in sunken frames this deep round their rectangles; the mast lamp is set in the
// panel itself (below).
constexpr int kFrame = 2;
constexpr StationControlRow kFramedControls[] = {kRadarTag, kRadarMast, kRadarRings, kRadarRange,
                                                 kRadarSpacing};
// The mast lamp's bezel, round the middle of its rectangle.
constexpr double kLampBezel = 13.0;

Canvas drawBackground(const ArtTexts& texts) {
    Canvas canvas(kWidth, kHeight);
    steelPanel(canvas, Rect{0, 0, kWidth, kHeight}, 3101);
    std::vector<Rect> taken = cornerScrews(Rect{0, 0, kWidth, kHeight});
    taken.push_back(scopeBezel(canvas));
    for (const StationControlRow& row : kFramedControls) {
        const Rect frame = rowRect(row).inflatedBy(kFrame, kFrame);
        bevel(canvas, frame, kFrame, false);
        taken.push_back(frame);
    }
    readoutWell(canvas, kRadarBearingReadOut.x, kRadarBearingReadOut.y, 3, kDigit);
    readoutWell(canvas, kRadarRangeReadOut.x, kRadarRangeReadOut.y, 5, kDigit);
    taken.push_back(readoutWellRect(kRadarBearingReadOut.x, kRadarBearingReadOut.y, 3, kDigit));
    taken.push_back(readoutWellRect(kRadarRangeReadOut.x, kRadarRangeReadOut.y, 5, kDigit));
    const Rect lamp = rowRect(kRadarLamp);
    const int reach = static_cast<int>(kLampBezel);
    const Point middle{(lamp.left + lamp.right) / 2, (lamp.top + lamp.bottom) / 2};
    taken.push_back(Rect{middle.x - reach, middle.y - reach, middle.x + reach + 1, middle.y + reach + 1});
    std::vector<EngravedLabel> labels;
    for (const RadarLabel& label : kRadarLabels)
        labels.push_back(
            {texts.text(label.text), engravedLabelPlace(label.rect, taken, kSteel, kLabelGrowth)});
    engraveLabels(canvas, labels, sharedLabelFont(texts.font(kFaceNarrow, 11, true), labels));
    return canvas;
}

// The mast lamp: a round lamp in a bezel set into the panel, the panel's own steel round it; lit
// on top, dark below, two frames of 28 by 34 with no row between them. Each is drawn apart and its
// glow kept short, so that the lit lamp lights neither the dark one nor the corners of its
// rectangle.
void drawLamp(const Context& context, const Canvas& panel) {
    Canvas strip(kRadarLamp.width, kRadarLamp.height * 2);
    for (int frame = 0; frame < 2; ++frame) {
        Canvas lamp(kRadarLamp.width, kRadarLamp.height);
        lamp.place(panel, -kRadarLamp.x, -kRadarLamp.y);
        const PointF centre{kRadarLamp.width / 2.0, kRadarLamp.height / 2.0};
        lamp.disc(centre, kLampBezel, shade(palette::kSteelDark, -0.3f));
        lamp.disc(centre, 12.0, palette::kSteelLight);
        lamp.disc(centre, 9.5, frame == 0 ? palette::kAmber : shade(palette::kAmber, -0.75f));
        if (frame == 0)
            lamp.glow(centre, 5.0, palette::kAmber, 0.5f);
        strip.place(lamp, 0, kRadarLamp.height * frame);
    }
    stage(context, kRadarLamp.bitmap, bitmapFile(strip));
}

} // namespace

void generateRadarArt(const Context& context) {
    const ArtTexts texts(context);
    const Canvas background = drawBackground(texts);
    stage(context, kRadarBackground, bitmapFile(background));
    drawLamp(context, background);
    constexpr const char* kTagLabel = "MARQ";
    const LetterFont font = texts.font(kFaceNarrow, 11, true).largestWhere([](const LetterFont& size) {
        return lampButtonFits(kRadarTag.width, kRadarTag.height, kTagLabel, size);
    });
    stage(context, kRadarTag.bitmap,
          frameStripFile(lampButtonFrames(kRadarTag.width, kRadarTag.height, kTagLabel, font)));
    for (const StationControlRow& row : {kRadarMast, kRadarRings})
        stage(context, row.bitmap, frameStripFile(toggleSwitchFrames(row.width, row.height, row.frames)));
    for (const StationControlRow& row : {kRadarRange, kRadarSpacing})
        stage(context, row.bitmap,
              frameStripFile(knobFrames(row.width, row.height, row.frames, kRadarIndexCount, 270.0, 180.0)));
}

} // namespace q71::mkdata
