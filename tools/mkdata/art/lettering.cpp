#include "mkdata/art/lettering.h"

#include "mkdata/art/look.h"
#include "platform/gdi/font.h"
#include "platform/text/cp1252.h"

#include <algorithm>
#include <climits>
#include <optional>
#include <set>
#include <stdexcept>
#include <utility>

namespace q71::mkdata {
namespace {

// Below this no label reads (seven points at the shell's 96 dots per inch).
constexpr int kSmallestPixels = 9;
constexpr int kLeastBoldWeight = 600;
constexpr float kReliefStrength = 0.9f;
// Capitals with accents and letters with descenders: what a line of the font reaches up and down;
// and the accented capitals alone.
constexpr std::string_view kTallestAndDeepest = "\xC9\xC2\xC7gjpqy";
constexpr std::string_view kTallest = "\xC9\xC2";

struct InkPixel {
    int x = 0, y = 0;
    int letter = 0; ///< from 1, the byte of the text that set it; 0 for the relief
};

// A text laid out with its pen starting at x = 0 on the baseline y = 0: every pixel its glyphs
// ink, the relief's after the letters', and the box they fill.
struct Layout {
    std::vector<InkPixel> pixels;
    Rect box;
};

Layout layOut(const Font& font, std::string_view text, Relief relief) {
    Layout layout;
    // Where letters have put ink so far: a letter whose ink would touch it (side by side or
    // corner to corner), as outlines can, moves right until a blank pixel parts them.
    std::set<std::pair<int, int>> inked;
    const auto touches = [&](const std::vector<InkPixel>& letter, int shift) {
        return std::any_of(letter.begin(), letter.end(), [&](const InkPixel& p) {
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx)
                    if (inked.count({p.x + shift + dx, p.y + dy}))
                        return true;
            return false;
        });
    };
    int pen = 0;
    // Each letter's ink columns, and whether a space stands before it: word spaces are widened
    // below, once the gaps inside the words are known.
    struct Span {
        std::size_t first, last; ///< its pixels in layout.pixels
        int left, right;         ///< its inked columns
        bool afterSpace;
    };
    std::vector<Span> spans;
    bool space = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const Glyph& g = font.glyph(static_cast<std::uint8_t>(text[i]));
        std::vector<InkPixel> letter;
        for (int gy = 0; gy < g.height; ++gy)
            for (int gx = 0; gx < g.width; ++gx)
                if (g.mask[static_cast<std::size_t>(gy) * g.width + gx])
                    letter.push_back({pen + g.left + gx, gy - g.top, static_cast<int>(i) + 1});
        int shift = 0;
        while (touches(letter, shift))
            ++shift;
        if (letter.empty()) {
            space = space || text[i] == ' ';
        } else {
            Span span{layout.pixels.size(), layout.pixels.size() + letter.size(), INT_MAX, INT_MIN, space};
            for (InkPixel& p : letter) {
                p.x += shift;
                inked.insert({p.x, p.y});
                span.left = std::min(span.left, p.x);
                span.right = std::max(span.right, p.x);
                layout.pixels.push_back(p);
            }
            spans.push_back(span);
            space = false;
        }
        pen += shift + font.stepAfter(text, i);
    }
    // A word space leaves more blank columns than any two letters of a word do, and two at least.
    int widestGap = 0;
    for (std::size_t i = 1; i < spans.size(); ++i)
        if (!spans[i].afterSpace)
            widestGap = std::max(widestGap, spans[i].left - spans[i - 1].right - 1);
    int moved = 0;
    for (std::size_t i = 0; i < spans.size(); ++i) {
        if (i > 0 && spans[i].afterSpace)
            moved += std::max(0, std::max(2, widestGap + 1) - (spans[i].left + moved - spans[i - 1].right - 1));
        for (std::size_t p = spans[i].first; p < spans[i].last; ++p)
            layout.pixels[p].x += moved;
        spans[i].left += moved;
        spans[i].right += moved;
    }
    const std::size_t letters = layout.pixels.size();
    const int depth = relief == Relief::Cast ? 2 : relief == Relief::Engraved ? 1 : 0;
    if (depth > 0)
        for (std::size_t i = 0; i < letters; ++i)
            layout.pixels.push_back({layout.pixels[i].x + depth, layout.pixels[i].y + depth, 0});
    for (const InkPixel& p : layout.pixels)
        layout.box = layout.box.united({p.x, p.y, p.x + 1, p.y + 1});
    return layout;
}

// The rows a capital takes above the baseline: where a label's capitals are centred.
int capitalHeight(const Font& font) {
    const Glyph& h = font.glyph('H');
    for (int gy = 0; gy < h.height; ++gy)
        for (int gx = 0; gx < h.width; ++gx)
            if (h.mask[static_cast<std::size_t>(gy) * h.width + gx])
                return h.top - gy;
    return font.metrics().ascent;
}

bool drawnFromStrike(const Font& font) { return (font.metrics().pitchAndFamily & kMetricsScalable) == 0; }

// A strike drawn for the very size asked (its cell holds no more rows above its own size).
bool strikeOfItsOwnSize(const Font& font, int pixels) {
    const TextMetrics& m = font.metrics();
    return drawnFromStrike(font) && m.height - m.internalLeading == pixels;
}

bool isBold(const Font& font) { return font.description().weight >= kLeastBoldWeight; }

std::shared_ptr<const Font> makeFont(LogFont description, int pixels, int weight) {
    description.height = -pixels;
    description.weight = weight;
    std::shared_ptr<const Font> font = Font::create(description);
    if (!font)
        throw std::runtime_error("no font file can be opened to letter the pictures");
    return font;
}

// Where a laid-out label's pen starts (x) and its baseline lies (y) in its place, if it fits.
std::optional<Point> placement(const Layout& layout, const Font& font, Relief relief, const LabelPlace& place) {
    const Rect inner = place.face.inflatedBy(-1, -1);
    const Rect& box = layout.box;
    if (box.isEmpty())
        return Point{inner.left, inner.top};
    if (box.width() > inner.width() || box.height() > inner.height())
        return std::nullopt;
    int x = 0;
    switch (place.align) {
    case Align::Left:
        x = inner.left - box.left;
        break;
    case Align::Centre:
        x = inner.left + (inner.width() - box.width()) / 2 - box.left;
        break;
    case Align::Right:
        x = inner.right - box.right;
        break;
    }
    // The capitals stand in the middle of the face. Labels of one face and size share a baseline as
    // long as the tallest accent and the deepest descender of their font fit too, else as long as
    // the tallest accent does; a label that still reaches past its face moves in.
    int y = (place.face.top + place.face.bottom + capitalHeight(font)) / 2;
    const auto keepIn = [&](const Rect& extent) {
        y += std::max(0, inner.top - (extent.top + y));
        y -= std::max(0, extent.bottom + y - inner.bottom);
    };
    for (std::string_view sample : {kTallestAndDeepest, kTallest})
        if (const Rect extent = layOut(font, sample, relief).box; extent.height() <= inner.height()) {
            keepIn(extent);
            break;
        }
    keepIn(box);
    const Rect clear = box.offsetBy(x, y).inflatedBy(1, 1);
    for (const Rect& r : place.keepClear)
        if (clear.intersects(r))
            return std::nullopt;
    return Point{x, y};
}

std::vector<Colour> pixelsOf(const Canvas& canvas, const Rect& area) {
    std::vector<Colour> pixels;
    pixels.reserve(static_cast<std::size_t>(area.width()) * area.height());
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            pixels.push_back(canvas.pixel(x, y));
    return pixels;
}

} // namespace

LetterFont::LetterFont(const std::string& face, int pixels, bool bold, const LabelRecorder* recorder)
    : recorder_(recorder) {
    LogFont description;
    description.faceName = face;
    font_ = makeFont(description, pixels, bold ? kFontWeightBold : kFontWeightNormal);
}

LetterFont::LetterFont(std::shared_ptr<const Font> font, const LabelRecorder* recorder)
    : font_(std::move(font)), recorder_(recorder) {}

int LetterFont::width(std::string_view text) const { return font_->textWidth(text); }

bool LetterFont::fitsIn(std::string_view text, const LabelPlace& place) const {
    return placement(layOut(*font_, text, Relief::Engraved), *font_, Relief::Engraved, place).has_value();
}

int LetterFont::lineHeight() const { return font_->metrics().height; }

std::vector<LetterFont> LetterFont::smallerSizes() const {
    std::vector<LetterFont> sizes;
    const LogFont& asked = font_->description();
    const int pixels = std::abs(asked.height);
    // In the face's own weight: outlines down to its largest strike, then its strikes alone, each
    // at its own size (a size between two strikes only draws the smaller one in a taller cell).
    bool strikesReached = drawnFromStrike(*font_);
    int smallest = pixels;
    for (int size = pixels - 1; size >= kSmallestPixels; --size) {
        std::shared_ptr<const Font> font = makeFont(asked, size, asked.weight);
        strikesReached = strikesReached || drawnFromStrike(*font);
        if (strikesReached && !strikeOfItsOwnSize(*font, size))
            continue;
        smallest = size;
        sizes.push_back(LetterFont(std::move(font), recorder_));
    }
    // A bold face too large still takes the plain face's strikes below its own smallest size.
    if (isBold(*font_))
        for (int size = smallest - 1; size >= kSmallestPixels; --size)
            if (std::shared_ptr<const Font> font = makeFont(asked, size, kFontWeightNormal);
                strikeOfItsOwnSize(*font, size))
                sizes.push_back(LetterFont(std::move(font), recorder_));
    return sizes;
}

LetterFont LetterFont::largestWhere(const std::function<bool(const LetterFont&)>& fits) const {
    if (fits(*this))
        return *this;
    for (const LetterFont& smaller : smallerSizes())
        if (fits(smaller))
            return smaller;
    throw std::runtime_error("no size of " + font_->familyName() + " letters a panel's labels in their faces");
}

void letterLabel(Canvas& canvas, const LabelPlace& place, std::string_view text, const LetterFont& font,
                 Colour colour, Relief relief) {
    Layout layout;
    std::optional<Point> at;
    std::shared_ptr<const Font> chosen;
    const auto tryIn = [&](const LetterFont& size) {
        layout = layOut(size.font(), text, relief);
        at = placement(layout, size.font(), relief, place);
        return at.has_value();
    };
    if (!tryIn(font)) {
        const std::vector<LetterFont> smaller = font.smallerSizes();
        const auto found = std::find_if(smaller.begin(), smaller.end(), tryIn);
        if (found == smaller.end())
            throw std::runtime_error("the label \"" + cp1252ToUtf8(std::string(text)) + "\" fits no size of " +
                                     font.font().familyName() + " in its face of " +
                                     std::to_string(place.face.width()) + " by " +
                                     std::to_string(place.face.height()) + " pixels");
        chosen = found->shared();
    }
    const LabelRecorder* recorder = font.recorder() && *font.recorder() ? font.recorder() : nullptr;
    const Rect area = place.face.inflatedBy(1, 1).intersected({0, 0, canvas.width(), canvas.height()});
    std::vector<Colour> before = recorder ? pixelsOf(canvas, area) : std::vector<Colour>{};
    // The relief goes down first, so that the letters stand over it.
    const Colour reliefColour = shade(palette::kSteelDark, -0.7f);
    for (bool letters : {false, true})
        for (const InkPixel& p : layout.pixels)
            if ((p.letter != 0) == letters)
                canvas.blend(p.x + at->x, p.y + at->y, letters ? colour : reliefColour,
                             letters ? 1.0f : kReliefStrength);
    if (recorder) {
        const Font& used = chosen ? *chosen : font.font();
        LetteredLabel label{std::string(text),
                            used.familyName() + (isBold(used) ? " bold " : " ") +
                                std::to_string(std::abs(used.description().height)),
                            place, colour, area, {}, {}, std::move(before), pixelsOf(canvas, area),
                            canvas.width(), canvas.height()};
        label.ink.assign(label.after.size(), false);
        label.letter.assign(label.after.size(), 0);
        for (const InkPixel& p : layout.pixels) {
            const Point q{p.x + at->x, p.y + at->y};
            if (!area.contains(q))
                continue;
            const std::size_t index = static_cast<std::size_t>(q.y - area.top) * area.width() + (q.x - area.left);
            label.ink[index] = true;
            label.letter[index] = std::max(label.letter[index], p.letter);
        }
        (*recorder)(label);
    }
}

void engravedText(Canvas& canvas, const Rect& rect, std::string_view text, const LetterFont& font, Colour colour,
                  bool centred) {
    // Dark letters on a lit face need no shadow: it would only smear them.
    const bool pale = colour.r * 0.3f + colour.g * 0.59f + colour.b * 0.11f >= 0.5f;
    letterLabel(canvas, {rect, centred ? Align::Centre : Align::Left, {}}, text, font, colour,
                pale ? Relief::Engraved : Relief::Flat);
}

void engravedParagraph(Canvas& canvas, const Rect& rect, std::string_view text, const LetterFont& font,
                       Colour colour) {
    // Each line stands in a face of its own, a blank row above and below its cell.
    const int lineHeight = font.lineHeight() + 2;
    const auto fits = [&](std::string_view line) {
        return layOut(font.font(), line, Relief::Engraved).box.width() <= rect.width() - 2;
    };
    int top = rect.top;
    std::string line;
    const auto flush = [&] {
        engravedText(canvas, Rect{rect.left, top, rect.right, top + lineHeight}, line, font, colour, false);
        top += lineHeight;
        line.clear();
    };
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = std::min(text.find(' ', start), text.size());
        const std::string_view word = text.substr(start, end - start);
        const std::string longer = line.empty() ? std::string(word) : line + " " + std::string(word);
        if (!line.empty() && !fits(longer))
            flush();
        line = line.empty() ? std::string(word) : longer;
        start = end + 1;
    }
    if (!line.empty())
        flush();
}

} // namespace q71::mkdata
