#include "mkdata/tactical/radar_art.h"

#include "mkdata/art/art_texts.h"
#include "mkdata/art/bitmap_file.h"
#include "mkdata/art/console_parts.h"
#include "mkdata/art/look.h"
#include "mkdata/art/row_rect.h"
#include "mkdata/graphics/archives.h"
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

// The scope: black glass inside the twelve-cornered window, a lit bezel stepped out round it.
void scopeBezel(Canvas& canvas) {
    std::vector<PointF> window;
    std::vector<PointF> bezel;
    const PointF centre{184.0, 193.0};
    for (const Point& p : kRadarScopeWindow) {
        window.push_back({static_cast<double>(p.x), static_cast<double>(p.y)});
        bezel.push_back({centre.x + (p.x - centre.x) * 1.09, centre.y + (p.y - centre.y) * 1.09});
    }
    canvas.polygon(bezel, shade(palette::kSteelDark, -0.3f));
    for (std::size_t i = 0; i < bezel.size(); ++i) {
        canvas.line(bezel[i], bezel[(i + 1) % bezel.size()], 2.0, palette::kSteelHighlight, 0.6f);
        canvas.line(window[i], window[(i + 1) % window.size()], 2.0, palette::kAmber, 0.3f);
        screwHead(canvas, {centre.x + (bezel[i].x - centre.x) * 1.04, centre.y + (bezel[i].y - centre.y) * 1.04},
                  30.0 * static_cast<double>(i));
    }
    canvas.polygon(window, palette::kGlass);
}

// The controls sit in sunken frames this deep round their rectangles; the mast lamp is set in the
// panel itself (below).
constexpr int kFrame = 2;
constexpr StationControlRow kFramedControls[] = {kRadarTag, kRadarMast, kRadarRings, kRadarRange,
                                                 kRadarSpacing};

// Where a label is lettered: in its hot spot, unless that starts on the lower edge of a framed
// control (the mast switch's "Émission radar"); then lower by the frame's depth and two rows more,
// so that a clear row parts the accent of its capital from the frame.
Rect letteredRect(const RadarLabel& label) {
    for (const StationControlRow& row : kFramedControls) {
        const Rect control = rowRect(row);
        if (label.rect.top == control.bottom && label.rect.left < control.right &&
            control.left < label.rect.right)
            return label.rect.offsetBy(0, kFrame + 2);
    }
    return label.rect;
}

Canvas drawBackground(const ArtTexts& texts) {
    Canvas canvas(kWidth, kHeight);
    steelPanel(canvas, Rect{0, 0, kWidth, kHeight}, 3101);
    scopeBezel(canvas);
    for (const StationControlRow& row : kFramedControls) {
        const Rect r = rowRect(row);
        bevel(canvas, Rect{r.left - kFrame, r.top - kFrame, r.right + kFrame, r.bottom + kFrame}, kFrame,
              false);
    }
    readoutWell(canvas, kRadarBearingReadOut.x, kRadarBearingReadOut.y, 3, kDigit);
    readoutWell(canvas, kRadarRangeReadOut.x, kRadarRangeReadOut.y, 5, kDigit);
    const auto font = texts.font(kFaceNarrow, 11, true);
    for (const RadarLabel& label : kRadarLabels)
        engravedText(canvas, letteredRect(label), texts.text(label.text), font, palette::kLabel, true);
    return canvas;
}

// The mast lamp: a round lamp in a bezel set into the panel, the panel's own steel round it, so
// that the label above keeps clear rows below it; lit on top, dark below, two frames of 28 by 34
// with no row between them. Each is drawn apart and its glow kept short, so that the lit lamp
// lights neither the dark one nor the corners of its rectangle.
void drawLamp(const Context& context, const Canvas& panel) {
    Canvas strip(kRadarLamp.width, kRadarLamp.height * 2);
    for (int frame = 0; frame < 2; ++frame) {
        Canvas lamp(kRadarLamp.width, kRadarLamp.height);
        lamp.place(panel, -kRadarLamp.x, -kRadarLamp.y);
        const PointF centre{kRadarLamp.width / 2.0, kRadarLamp.height / 2.0};
        lamp.disc(centre, 13.0, shade(palette::kSteelDark, -0.3f));
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
    const auto font = texts.font(kFaceNarrow, 11, true);
    stage(context, kRadarTag.bitmap, frameStripFile(lampButtonFrames(kRadarTag.width, kRadarTag.height, "MARQ", font)));
    for (const StationControlRow& row : {kRadarMast, kRadarRings})
        stage(context, row.bitmap, frameStripFile(toggleSwitchFrames(row.width, row.height, row.frames)));
    for (const StationControlRow& row : {kRadarRange, kRadarSpacing})
        stage(context, row.bitmap,
              frameStripFile(knobFrames(row.width, row.height, row.frames, kRadarIndexCount, 270.0, 180.0)));
}

} // namespace q71::mkdata
