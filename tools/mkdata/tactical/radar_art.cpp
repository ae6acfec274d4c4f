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

void drawBackground(const Context& context, const ArtTexts& texts) {
    Canvas canvas(kWidth, kHeight);
    steelPanel(canvas, Rect{0, 0, kWidth, kHeight}, 3101);
    scopeBezel(canvas);
    for (const StationControlRow& row : {kRadarTag, kRadarMast, kRadarRings, kRadarRange, kRadarSpacing, kRadarLamp}) {
        const Rect r = rowRect(row);
        bevel(canvas, Rect{r.left - 2, r.top - 2, r.right + 2, r.bottom + 2}, 2, false);
    }
    readoutWell(canvas, kRadarBearingReadOut.x, kRadarBearingReadOut.y, 3, kDigit);
    readoutWell(canvas, kRadarRangeReadOut.x, kRadarRangeReadOut.y, 5, kDigit);
    const auto font = texts.font(kFaceNarrow, 8, true);
    for (const RadarLabel& label : kRadarLabels)
        engravedText(canvas, label.rect, texts.text(label.text), *font, palette::kLabel, true);
    stage(context, kRadarBackground, bitmapFile(canvas));
}

// The mast lamp: lit on top, dark below, two frames of 28 by 34 with no row between them.
void drawLamp(const Context& context) {
    Canvas strip(kRadarLamp.width, kRadarLamp.height * 2);
    strip.fill(palette::kSteelDark);
    for (int frame = 0; frame < 2; ++frame) {
        const PointF centre{kRadarLamp.width / 2.0, kRadarLamp.height * (frame + 0.5)};
        strip.disc(centre, 12.0, palette::kSteelLight);
        strip.disc(centre, 9.5, frame == 0 ? palette::kAmber : shade(palette::kAmber, -0.75f));
        if (frame == 0)
            strip.glow(centre, 13.0, palette::kAmber, 0.5f);
    }
    stage(context, kRadarLamp.bitmap, bitmapFile(strip));
}

} // namespace

void generateRadarArt(const Context& context) {
    const ArtTexts texts(context);
    drawBackground(context, texts);
    drawLamp(context);
    const auto font = texts.font(kFaceNarrow, 8, true);
    stage(context, kRadarTag.bitmap, frameStripFile(lampButtonFrames(kRadarTag.width, kRadarTag.height, "MARQ", *font)));
    for (const StationControlRow& row : {kRadarMast, kRadarRings})
        stage(context, row.bitmap, frameStripFile(toggleSwitchFrames(row.width, row.height, row.frames)));
    for (const StationControlRow& row : {kRadarRange, kRadarSpacing})
        stage(context, row.bitmap,
              frameStripFile(knobFrames(row.width, row.height, row.frames, kRadarIndexCount, 270.0, 180.0)));
}

} // namespace q71::mkdata
