#pragma once
// How the pictures of the data set are lettered: with the very glyphs the program draws its texts
// with (the data set's strikes at their sizes, outlines one bit deep above them), on whole pixels.
// Each label is placed inside the face given to it, one blank pixel clear of the face's edges and
// of whatever it must keep clear of; its relief is made from its own pixels. A label too wide or
// too tall for its face takes a smaller size of its face; one that fits in none stops the
// generator, so no picture of the data set ever holds a label running over its art.

#include "mkdata/generator.h"
#include "mkdata/movies/canvas.h"
#include "platform/geometry/rect.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace q71 {
class Font;
} // namespace q71

namespace q71::mkdata {

/// Where a label goes: the face it stands in and what it keeps clear of.
struct LabelPlace {
    Rect face;                   ///< its ink keeps a blank pixel inside these edges
    Align align = Align::Centre; ///< across the face; down it, the capitals stand in the middle
    std::vector<Rect> keepClear; ///< lamps and art its ink keeps a blank pixel away from
};

/// How a label is set off from what lies under it.
enum class Relief {
    Flat,     ///< the letters alone
    Engraved, ///< a dark copy of the letters a pixel below and to the right
    Cast,     ///< a dark copy two pixels below and to the right, for large titles
};

/// A face of the shell at one size, as the program draws it.
class LetterFont {
public:
    /// The font the program makes of a face name, a character height in pixels and a weight;
    /// throws when no font file can be opened. Labels lettered in it, or in a smaller size taken
    /// from it, are told to the recorder (may be null).
    LetterFont(const std::string& face, int pixels, bool bold, const LabelRecorder* recorder);

    /// Width in pixels of a Windows-1252 text, the pen's advance.
    int width(std::string_view text) const;
    /// Whether a label fits its place in this very size, engraved.
    bool fitsIn(std::string_view text, const LabelPlace& place) const;
    /// The height of a line of text in this font (its cell).
    int lineHeight() const;
    /// The same face in the next sizes down that letter on whole pixels: outlines above the face's
    /// strikes, then its strikes, each at its own size; a bold face ends on the plain face's strikes
    /// below its own.
    std::vector<LetterFont> smallerSizes() const;
    /// The largest of this size and the smaller ones for which `fits` holds: the size the labels of
    /// one panel share. Throws when none does.
    LetterFont largestWhere(const std::function<bool(const LetterFont&)>& fits) const;

    const Font& font() const { return *font_; }
    const std::shared_ptr<const Font>& shared() const { return font_; }
    const LabelRecorder* recorder() const { return recorder_; }

private:
    LetterFont(std::shared_ptr<const Font> font, const LabelRecorder* recorder);

    std::shared_ptr<const Font> font_;
    const LabelRecorder* recorder_;
};

/// Letters a Windows-1252 text. Throws when it fits its place in no size of its face.
void letterLabel(Canvas& canvas, const LabelPlace& place, std::string_view text, const LetterFont& font,
                 Colour colour, Relief relief = Relief::Engraved);
/// The label of a panel, centred in its rectangle or from its left edge: engraved when its letters
/// are pale, flat when they are dark.
void engravedText(Canvas& canvas, const Rect& rect, std::string_view text, const LetterFont& font, Colour colour,
                  bool centred);
/// Text broken into lines at spaces to fit the rectangle's width, engraved, from its top.
void engravedParagraph(Canvas& canvas, const Rect& rect, std::string_view text, const LetterFont& font,
                       Colour colour);

/// One label as it was lettered, for the tests that judge the pictures and the report that reads
/// them back.
struct LetteredLabel {
    std::string text;            ///< Windows-1252
    std::string face;            ///< the font's family and size, for messages
    LabelPlace place;            ///< where it was asked to stand
    Colour colour;               ///< its letters' colour
    Rect area;                   ///< the face and a pixel round it, within the picture
    std::vector<bool> ink;       ///< over `area`: the pixels the label set, relief included
    std::vector<int> letter;     ///< over `area`: the letter (from 1) whose body set the pixel, else 0
    std::vector<Colour> before;  ///< over `area`: the picture before the label was lettered
    std::vector<Colour> after;   ///< over `area`: the picture after
    int pictureWidth = 0;
    int pictureHeight = 0;
};

} // namespace q71::mkdata
