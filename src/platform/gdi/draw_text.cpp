// drawText: text laid out in a rectangle, on one line or broken into lines at line feeds and,
// when asked, between words; aligned left, centred or right, and on a single line also
// vertically; '&' marks the next character as a mnemonic (underlined) unless switched off.
#include "platform/gdi/text_layout.h"
#include "platform/text/line_breaks.h"

#include <algorithm>

namespace q71 {
namespace {

struct Line {
    std::string text;
    int mnemonic = -1;
};

// Removes mnemonic markers: "&&" stands for "&", "&x" underlines x.
Line stripPrefixes(std::string_view text) {
    Line line;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size()) {
            ++i;
            if (text[i] != '&' && line.mnemonic < 0)
                line.mnemonic = static_cast<int>(line.text.size());
        }
        line.text += text[i];
    }
    return line;
}

// The paragraph cut into lines no wider than `width`, breaking at spaces (the space at a break
// is dropped; a number's groups of figures hold together); a word wider than the line stands
// alone on its line; an empty paragraph is one empty line. Gives (start, length) pairs.
std::vector<std::pair<size_t, size_t>> wrapParagraph(const Font& font, std::string_view text, int width) {
    if (text.empty())
        return {{0, 0}};
    std::vector<std::pair<size_t, size_t>> lines;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t lineEnd = pos, next = pos, cursor = pos;
        while (cursor < text.size()) {
            size_t space = textNextBreak(text, cursor);
            size_t wordEnd = space == std::string_view::npos ? text.size() : space;
            if (lineEnd > pos && font.textWidth(text.substr(pos, wordEnd - pos)) > width)
                break;
            lineEnd = wordEnd;
            cursor = next = space == std::string_view::npos ? text.size() : space + 1;
        }
        lines.emplace_back(pos, lineEnd - pos);
        pos = next;
    }
    return lines;
}

std::vector<std::string> splitParagraphs(std::string_view text) {
    std::vector<std::string> paragraphs;
    size_t start = 0;
    for (size_t i = 0; i <= text.size(); ++i) {
        if (i == text.size() || text[i] == '\n' || text[i] == '\r') {
            paragraphs.emplace_back(text.substr(start, i - start));
            if (i + 1 < text.size() && text[i] == '\r' && text[i + 1] == '\n')
                ++i;
            start = i + 1;
        }
    }
    return paragraphs;
}

} // namespace

int DeviceContext::drawText(std::string_view text, Rect& rect, unsigned format) {
    FontRef f = font();
    if (!f)
        return 0;
    const TextMetrics& m = f->metrics();
    int lineHeight = m.height + ((format & kDtExternalLeading) ? m.externalLeading : 0);
    int tabChars = (format & kDtTabStop) ? static_cast<int>((format >> 8) & 0xFF) : 8;
    int tabStop = tabChars * m.aveCharWidth;
    std::span<const int> stops =
        (format & kDtExpandTabs) ? std::span<const int>(&tabStop, 1) : std::span<const int>();

    std::vector<Line> lines;
    auto addLine = [&](std::string_view raw) {
        lines.push_back((format & kDtNoPrefix) ? Line{std::string(raw), -1} : stripPrefixes(raw));
    };
    if (format & kDtSingleLine) {
        addLine(text);
    } else {
        for (const std::string& paragraph : splitParagraphs(text)) {
            if (!(format & kDtWordBreak)) {
                addLine(paragraph);
                continue;
            }
            // Prefix markers are taken out before measuring, so widths are those drawn.
            Line whole = (format & kDtNoPrefix) ? Line{paragraph, -1} : stripPrefixes(paragraph);
            for (auto [at, length] : wrapParagraph(*f, whole.text, rect.width())) {
                int index = whole.mnemonic - static_cast<int>(at);
                int mnemonic = index >= 0 && index < static_cast<int>(length) ? index : -1;
                lines.push_back({whole.text.substr(at, length), mnemonic});
            }
        }
    }
    if (text.empty())
        lines.clear();

    int height = static_cast<int>(lines.size()) * lineHeight;
    int top = rect.top;
    if (format & kDtSingleLine) {
        if (format & kDtVCenter)
            top = rect.top + (rect.height() - lineHeight) / 2;
        else if (format & kDtBottom)
            top = rect.bottom - lineHeight;
    }
    std::vector<TextRun> runs;
    int widest = 0;
    for (size_t i = 0; i < lines.size(); ++i) {
        TextRun run = layoutTabbed(*f, lines[i].text, stops, 0);
        if (!run.pieces.empty() && lines[i].mnemonic >= 0) {
            // Find the piece that holds the mnemonic byte (tabs split the line into pieces).
            int index = lines[i].mnemonic;
            for (TextPiece& piece : run.pieces) {
                if (index >= piece.start && index < piece.start + static_cast<int>(piece.text.size())) {
                    piece.mnemonic = index - piece.start;
                    break;
                }
            }
        }
        widest = std::max(widest, run.width);
        run.top = top + static_cast<int>(i) * lineHeight;
        if (format & kDtCenter)
            run.x = rect.left + (rect.width() - run.width) / 2;
        else if (format & kDtRight)
            run.x = rect.right - run.width;
        else
            run.x = rect.left;
        runs.push_back(std::move(run));
    }
    if (format & kDtCalcRect) {
        rect.right = rect.left + widest;
        rect.bottom = rect.top + height;
        return height;
    }
    Rect clip = rect;
    for (TextRun& run : runs) {
        run.clip = (format & kDtNoClip) ? nullptr : &clip;
        drawTextRun(*this, run);
    }
    if ((format & kDtSingleLine) && (format & (kDtVCenter | kDtBottom)))
        return top - rect.top + lineHeight;
    return height;
}

} // namespace q71
