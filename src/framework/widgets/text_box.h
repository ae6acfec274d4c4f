#pragma once
// A windowed area of text lines, each in its own colour, wrapped to the box's width, with a
// vertical scroll bar that shows when the lines overflow. The message log of the text manager
// writes into one.

#include "framework/textmngr/text_manager.h"
#include "framework/widgets/base_widget.h"
#include "framework/widgets/line_scroller.h"
#include "platform/gdi/pen_brush.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace q71 {

class TextBox : public BaseWidget, public MessageLogTarget {
public:
    /// A box in `parentWindow`; its background repeats `pattern` (white without one), a null font
    /// is the system font; a scrollable box shows a bar of the given look when its lines overflow.
    TextBox(WindowHandle parentWindow, int x, int y, int width, int height, std::shared_ptr<Bitmap> pattern,
            std::shared_ptr<const Font> font, bool scrollable, ScrollerLook look = {});

    /// Draws the visible lines over the background.
    void paint(PaintRecord& paint) override;
    /// Page up and down and the up and down arrows scroll; other keys go on.
    int onKeyDown(std::uint32_t key, LParam lParam) override;
    /// The bar moved: its position is the first visible line.
    void onVScroll(WParam wParam, LParam lParam) override;
    /// Three lines a notch.
    bool onMouseWheel(int delta) override;
    void loadResources() override;
    void freeResources() override;

    /// Adds a text in the default colour.
    void addLine(const char* line) override;
    /// Adds a text in a colour (kDefaultLogColour: the default colour), wrapped into lines.
    void addLineColoured(const char* line, std::uint32_t colour) override;
    /// Scrolls so that the last line shows.
    void scrollToEnd() override;
    /// Adds a buffer's text; its last byte counts as its end.
    void addText(const char* buffer, std::size_t length);
    /// Removes every line and hides the bar.
    void clear();
    /// Makes `line` the first visible line, kept within the lines.
    void scrollTo(int line);
    /// Line `index`, or null.
    const char* getLine(int index) const;
    /// The colour of lines added in the default colour.
    void setDefaultColour(ColorRef colour);
    /// Centres every line.
    void setCentred(bool centred);

    int lineCount() const { return static_cast<int>(lines_.size()); }
    int firstVisibleLine() const { return firstLine_; }
    /// How many lines the box shows at once.
    int visibleLines() const;
    /// The bar, or null while there is none.
    LineScroller* scroller() const;

private:
    int scrollerWidth() const;
    /// Shows the bar (made on first need) over the range of first lines.
    void updateScroller();
    /// Scrolls by a number of lines without a bar.
    void scrollBy(int lines);

    std::vector<std::string> lines_;
    std::vector<std::uint32_t> colours_;
    int firstLine_ = 0;
    LineScroller* scroller_ = nullptr;
    std::weak_ptr<const void> scrollerAlive_;
    int marginY_ = 0;
    int marginX_ = 5;
    int lineHeight_ = 1;
    int averageCharWidth_ = 1;
    bool centred_ = false;
    ColorRef defaultColour_ = 0;
    Brush background_;
    std::shared_ptr<const Font> font_;
    bool scrollable_;
    ScrollerLook look_;
};

/// A scrollable box in the look of the message log: its ground repeats `pattern`, its bar has the
/// data set's arrows and caret, its lines are in `colour` unless told otherwise. The host's log
/// and the front end's logs and pages are such boxes.
std::unique_ptr<TextBox> makeLogTextBox(WindowHandle parentWindow, const Rect& area,
                                        std::shared_ptr<Bitmap> pattern, std::shared_ptr<const Font> font,
                                        ColorRef colour);

} // namespace q71
