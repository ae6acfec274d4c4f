#pragma once
// Placing text: a run is a row of pieces at pixel offsets (tabs make several), drawn from a
// top-left corner; the helpers turn alignment flags and tab stops into those positions.

#include "platform/gdi/device_context.h"
#include "platform/gdi/font.h"
#include "platform/gdi/text_format.h"

#include <span>
#include <string>
#include <vector>

namespace q71 {

struct TextPiece {
    std::string text;
    int offset = 0;    ///< from the run's x
    int mnemonic = -1; ///< index of the byte to underline, -1 for none
    int start = 0;     ///< index of the piece's first byte in the laid-out text
};

struct TextRun {
    int x = 0;
    int top = 0;
    int width = 0; ///< of the background cell
    std::vector<TextPiece> pieces;
    const Rect* clip = nullptr; ///< context coordinates
};

/// Draws a run with the context's font, colours and background mode.
void drawTextRun(DeviceContext& dc, const TextRun& run);

/// Left edge of text `width` wide for a reference x and an alignment.
inline int alignTextX(int x, int width, unsigned align) {
    if ((align & kTaCenter) == kTaCenter)
        return x - width / 2;
    if ((align & kTaCenter) == kTaRight)
        return x - width;
    return x;
}

/// Top of the text cell for a reference y and an alignment.
inline int alignTextTop(int y, const TextMetrics& m, unsigned align) {
    if ((align & kTaBaseline) == kTaBaseline)
        return y - m.ascent;
    if ((align & kTaBaseline) == kTaBottom)
        return y - m.height;
    return y;
}

/// Splits text at tabs, each piece starting at the next stop after the previous one's end.
/// No stops: every eight average character widths; one stop: every that many pixels; more: at
/// those positions, then as the last interval. Stops count from `origin` (relative to the run).
TextRun layoutTabbed(const Font& font, std::string_view text, std::span<const int> tabStops, int origin);

} // namespace q71
