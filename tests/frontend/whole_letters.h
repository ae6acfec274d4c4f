#pragma once
// Whether a font keeps the letters of a text whole as our one-bit glyphs draw them: a letter is
// whole when it keeps the strokes and the eyes it has in the same face drawn large (an "e" its eye,
// an "r" its arm apart from the next letter's, an "s" no eye it should not have). A face too small
// for the screen loses them: "Immersion" reads "Immesion", a 5 reads as a 6.

#include "platform/gdi/font.h"
#include "platform/gdi/text_overflow.h"
#include "platform/geometry/rect.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace q71 {
class GlassList;
}

namespace q71::test {

/// The letters of `text` that `font` draws with a stroke or an eye lost or gained, each once, in
/// the order they come; empty when every letter stays whole. A zero slashed or dotted to tell it
/// from an "O" is whole.
std::string lettersNotWhole(const Font& font, std::string_view text);

/// Collects the texts drawn while it lives (the drawing layer's watch).
class DrawnTexts {
public:
    DrawnTexts();
    ~DrawnTexts();
    DrawnTexts(const DrawnTexts&) = delete;
    DrawnTexts& operator=(const DrawnTexts&) = delete;

    /// The texts drawn whose ink meets `area` (screen pixels), in the order they were drawn.
    std::vector<TextDrawn> in(const Rect& area) const;
    /// Forgets what was drawn so far.
    void clear() { drawn_.clear(); }

private:
    std::vector<TextDrawn> drawn_;
};

/// Whether a rectangle lies wholly inside another.
bool inside(const Rect& inner, const Rect& outer);
/// Whether some of the texts, one after another and a space between, make `whole`.
bool spellOut(const std::vector<TextDrawn>& texts, const std::string& whole);

/// Scrolls each row of a list into view in turn, lets it draw (`settle`) and checks that the row
/// is drawn whole on its lines inside the list, left of its bar, in letters that stay whole.
void expectRowsWholeAndLegible(GlassList& list, const std::function<void()>& settle);

} // namespace q71::test
