// Text output of a device context: runs of Windows-1252 bytes drawn glyph by glyph in the
// text colour, over a background cell in the background colour when the mode is opaque.
#include "platform/gdi/device_context.h"
#include "platform/gdi/font.h"
#include "platform/gdi/text_layout.h"
#include "platform/gdi/text_overflow.h"

#include <algorithm>

namespace q71 {
namespace {

// Calls `span(y, x0, x1)` for each run of inked pixels the glyphs of `text` leave, the first glyph
// at x, on the given baseline.
template <typename SpanOut>
void forEachInkSpan(const Font& font, int x, int baseline, std::string_view text, SpanOut&& span) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const Glyph& g = font.glyph(static_cast<std::uint8_t>(text[i]));
        int gx = x + g.left, gy = baseline - g.top;
        for (int row = 0; row < g.height; ++row) {
            const std::uint8_t* bits =
                g.mask.data() + static_cast<size_t>(row) * static_cast<size_t>(g.width);
            for (int col = 0; col < g.width;) {
                if (!bits[col]) {
                    ++col;
                    continue;
                }
                int start = col;
                while (col < g.width && bits[col])
                    ++col;
                span(gy + row, gx + start, gx + col);
            }
        }
        x += font.stepAfter(text, i);
    }
}

// Draws the glyphs of `text` in the ink, the first one at x, on the given baseline.
void paintGlyphs(const SpanPainter& painter, const Font& font, int x, int baseline, std::string_view text,
                 const FillSource& ink) {
    forEachInkSpan(font, x, baseline, text, [&](int y, int x0, int x1) { painter.fill(y, x0, x1, ink); });
}

// Where the glyphs of a run put ink, in the context's coordinates (empty when none does).
Rect inkOf(const Font& font, const TextRun& run) {
    Rect ink;
    for (const TextPiece& piece : run.pieces)
        ink = ink.united(font.inkBounds(piece.text).offsetBy(run.x + piece.offset, run.top));
    return ink;
}

// The text of a run, its pieces together.
std::string textOf(const TextRun& run) {
    std::string text;
    for (const TextPiece& piece : run.pieces)
        text += piece.text;
    return text;
}

// Tells the watcher of a run whose ink does not fit where it is drawn: across, it must lie inside
// the sides of its window or bitmap and its own rectangle when it has one; down, inside its own
// rectangle. A clip region is not a side: a screen repainting part of itself cuts its texts there on
// purpose, as the window or bitmap may cut a text that scrolls through its place (the credits, a
// list's rows) at the top or bottom.
void watchFit(const Font& font, const TextRun& run, const Rect& sides, Point origin) {
    const Rect ink = inkOf(font, run).offsetBy(origin.x, origin.y);
    const Rect own = run.clip ? run.clip->offsetBy(origin.x, origin.y) : Rect{};
    const Rect field = run.clip ? sides.intersected(own) : sides;
    const bool outOfItsRect = run.clip && (ink.top < own.top || ink.bottom > own.bottom);
    if (ink.isEmpty() || field.isEmpty() ||
        (ink.left >= field.left && ink.right <= field.right && !outOfItsRect))
        return;
    gdiTextOverflowWatcher()({textOf(run), ink, run.clip ? own : field});
}

// What the texts' watcher is told of a run about to be drawn through a clip (in the surface's
// pixels), the ground under it read before.
TextDrawn drawnRecord(const DeviceContext& dc, const DeviceContext::Resolved& now, const ClipList& clip,
                      const Font& font, const TextRun& run) {
    TextDrawn drawn{textOf(run),
                    dc.font(),
                    inkOf(font, run).offsetBy(now.origin.x, now.origin.y),
                    run.clip ? run.clip->offsetBy(now.origin.x, now.origin.y) : Rect{},
                    dc.textColor(),
                    dc.bkMode() == kOpaque,
                    {},
                    {},
                    {}};
    if (drawn.ink.isEmpty())
        return drawn;
    const PixelSurface& surface = now.surface;
    const Rect a = drawn.around = drawn.ink.inflatedBy(1, 1).intersected(surface.bounds());
    const auto at = [&](int x, int y) {
        return static_cast<std::size_t>(y - a.top) * static_cast<std::size_t>(a.width()) +
               static_cast<std::size_t>(x - a.left);
    };
    for (int y = a.top; y < a.bottom; ++y)
        for (int x = a.left; x < a.right; ++x) {
            drawn.ground.push_back(surface.decode(surface.read(x, y)));
            drawn.cover.push_back(clip.contains(x, y) ? TextCover::Ground : TextCover::Hidden);
        }
    const int baseline = run.top + font.metrics().ascent + now.origin.y;
    for (const TextPiece& piece : run.pieces)
        forEachInkSpan(
            font, run.x + piece.offset + now.origin.x, baseline, piece.text, [&](int y, int x0, int x1) {
                if (y >= a.top && y < a.bottom)
                    clip.forEachSpan(y, std::max(x0, a.left), std::min(x1, a.right), [&](int from, int to) {
                        std::fill_n(drawn.cover.begin() + static_cast<std::ptrdiff_t>(at(from, y)), to - from,
                                    TextCover::Ink);
                    });
            });
    return drawn;
}

} // namespace

void drawTextRun(DeviceContext& dc, const TextRun& run) {
    const DeviceContext::Resolved* now = dc.resolve();
    FontRef font = dc.font();
    if (!now || !font)
        return;
    ClipList clip =
        run.clip ? now->clip.clippedTo(run.clip->offsetBy(now->origin.x, now->origin.y)) : now->clip;
    if (gdiTextOverflowWatcher())
        watchFit(*font, run, now->sides, now->origin);
    if (gdiTextsDrawnWatcher())
        gdiTextsDrawnWatcher()(drawnRecord(dc, *now, clip, *font, run));
    SpanPainter painter(now->surface, clip, now->origin);
    const TextMetrics& m = font->metrics();
    if (dc.bkMode() == kOpaque) {
        FillSource background;
        background.solid = now->surface.encode(dc.bkColor());
        painter.fillRect({run.x, run.top, run.x + run.width, run.top + m.height}, background);
    }
    FillSource ink;
    ink.solid = now->surface.encode(dc.textColor());
    int baseline = run.top + m.ascent;
    for (const TextPiece& piece : run.pieces) {
        int x = run.x + piece.offset;
        paintGlyphs(painter, *font, x, baseline, piece.text, ink);
        auto line = [&](int offset, int from, int to) {
            for (int t = 0; t < font->lineThickness(); ++t)
                painter.fill(baseline + offset + t, from, to, ink);
        };
        int pieceWidth = font->textWidth(piece.text);
        if (m.underlined)
            line(font->underlineOffset(), x, x + pieceWidth);
        if (m.struckOut)
            line(font->strikeOutOffset(), x, x + pieceWidth);
        if (piece.mnemonic >= 0 && static_cast<size_t>(piece.mnemonic) < piece.text.size()) {
            int from = x + font->penAt(piece.text, static_cast<size_t>(piece.mnemonic));
            line(font->underlineOffset(), from,
                 from +
                     font->glyph(static_cast<std::uint8_t>(piece.text[static_cast<size_t>(piece.mnemonic)]))
                         .advance);
        }
    }
    dc.notifyDrawn();
}

Size DeviceContext::getTextExtent(std::string_view text) {
    FontRef f = font();
    if (!f)
        return {};
    return {f->textWidth(text), f->metrics().height};
}

bool DeviceContext::getTextMetrics(TextMetrics& metrics) {
    FontRef f = font();
    if (!f)
        return false;
    metrics = f->metrics();
    return true;
}

bool DeviceContext::textOut(Point at, std::string_view text) {
    return extTextOut(at, 0, nullptr, text);
}

bool DeviceContext::extTextOut(Point at, unsigned options, const Rect* rect, std::string_view text) {
    FontRef f = font();
    if (!f)
        return false;
    if ((options & kEtoOpaque) && rect) {
        fillRect(*rect, createSolidBrush(bkColour_));
    }
    bool updateCurrent = (textAlign_ & kTaUpdateCp) != 0;
    if (updateCurrent)
        at = position_;
    TextRun run;
    run.width = f->textWidth(text);
    run.x = alignTextX(at.x, run.width, textAlign_);
    run.top = alignTextTop(at.y, f->metrics(), textAlign_);
    run.pieces.push_back({std::string(text), 0, -1, 0});
    Rect clipRect = rect ? rect->normalized() : Rect{};
    run.clip = (options & kEtoClipped) && rect ? &clipRect : nullptr;
    drawTextRun(*this, run);
    if (updateCurrent)
        position_.x = (textAlign_ & kTaCenter) == kTaRight ? run.x : run.x + run.width;
    return true;
}

long DeviceContext::tabbedTextOut(Point at, std::string_view text, std::span<const int> tabStops,
                                  int tabOrigin) {
    FontRef f = font();
    if (!f)
        return 0;
    TextRun run = layoutTabbed(*f, text, tabStops, tabOrigin - at.x);
    run.x = at.x;
    run.top = at.y;
    drawTextRun(*this, run);
    return (static_cast<long>(f->metrics().height) << 16) | run.width;
}

unsigned long DeviceContext::getTabbedTextExtent(std::string_view text, std::span<const int> tabStops) {
    FontRef f = font();
    if (!f)
        return 0;
    TextRun run = layoutTabbed(*f, text, tabStops, 0);
    return (static_cast<unsigned long>(f->metrics().height) << 16) | static_cast<unsigned long>(run.width);
}

} // namespace q71
