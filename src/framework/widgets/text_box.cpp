#include "framework/widgets/text_box.h"

#include "framework/resources/group_archive.h"
#include "framework/widgets/text_wrap.h"
#include "platform/gdi/device_context.h"
#include "platform/gdi/font.h"
#include "platform/gdi/window_dc.h"
#include "platform/window/virtual_keys.h"

#include <algorithm>

namespace q71 {
namespace {

// The bar's width before there is a bar.
constexpr int kScrollerWidth = 16;

} // namespace

TextBox::TextBox(WindowHandle parentWindow, int x, int y, int width, int height,
                 std::shared_ptr<Bitmap> pattern, std::shared_ptr<const Font> font, bool scrollable,
                 ScrollerLook look)
    : BaseWidget(parentWindow, x, y, width, height, true),
      background_(pattern ? createPatternBrush(pattern.get()) : stockBrush(StockObject::WhiteBrush)),
      font_(std::move(font)), scrollable_(scrollable), look_(std::move(look)) {
    setName("TextBox");
    focusOnHover_ = true;
    if (auto dc = createDisplayDC()) {
        dc->selectFont(font_);
        TextMetrics metrics;
        if (dc->getTextMetrics(metrics)) {
            lineHeight_ = std::max(metrics.height, 1);
            averageCharWidth_ = std::max(metrics.aveCharWidth, 1);
        }
    }
}

std::unique_ptr<TextBox> makeLogTextBox(WindowHandle parentWindow, const Rect& area,
                                        std::shared_ptr<Bitmap> pattern, std::shared_ptr<const Font> font,
                                        ColorRef colour) {
    ScrollerLook look = sharedScrollerLook();
    auto box = std::make_unique<TextBox>(parentWindow, area.left, area.top, area.width(), area.height(),
                                         std::move(pattern), std::move(font), true, std::move(look));
    box->setDefaultColour(colour);
    return box;
}

LineScroller* TextBox::scroller() const {
    return scrollerAlive_.expired() ? nullptr : scroller_;
}

int TextBox::scrollerWidth() const {
    LineScroller* bar = scroller();
    return bar ? bar->widget().getWidth() : kScrollerWidth;
}

int TextBox::visibleLines() const {
    return (height_ - 2 * marginY_) / lineHeight_;
}

void TextBox::addLine(const char* line) {
    addLineColoured(line, kDefaultLogColour);
}

void TextBox::addText(const char* buffer, std::size_t length) {
    std::string_view text(buffer, length > 0 ? length - 1 : 0);
    addLine(std::string(text.substr(0, text.find('\0'))).c_str());
}

void TextBox::addLineColoured(const char* line, std::uint32_t colour) {
    auto dc = createDisplayDC();
    if (!dc || !line)
        return;
    dc->selectFont(font_);
    const int tabStops[] = {2 * averageCharWidth_};
    const auto width = [&](std::string_view text) {
        return static_cast<int>(dc->getTabbedTextExtent(text, tabStops) & 0xFFFF);
    };
    const int wrapWidth = width_ - (2 * marginX_ + 10) - scrollerWidth();
    for (std::string& wrapped : wrapTextLines(line, wrapWidth, width)) {
        lines_.push_back(std::move(wrapped));
        colours_.push_back(colour);
    }
    updateScroller();
    Rect textArea{0, 0, width_ - scrollerWidth(), height_};
    invalidate(&textArea, true);
}

void TextBox::updateScroller() {
    const int visible = visibleLines();
    if (!scrollable_ || lineCount() <= visible)
        return;
    LineScroller* bar = scroller();
    if (!bar) {
        LineScrollerFactory factory = textBoxScrollerFactory();
        if (!factory)
            return;
        // Without the group of its look (a data set that lacks it) the bar's parts are drawn plain.
        const GroupSelectionKept screenGroup;
        const ScrollerLook look = selectScrollerGroup(look_) ? look_ : ScrollerLook{};
        bar = factory(window_, width_ - kScrollerWidth, marginY_, kScrollerWidth, height_ - 2 * marginY_,
                      look);
        if (!bar)
            return;
        scroller_ = bar;
        scrollerAlive_ = bar->widget().watch();
    } else {
        bar->widget().show();
    }
    bar->setRange(1, visible, 0, lineCount() - visible);
}

void TextBox::scrollTo(int line) {
    if (lines_.empty())
        return;
    const int last = lineCount() - visibleLines();
    firstLine_ = std::clamp(line, 0, last >= 0 ? last : lineCount());
    Rect textArea{0, 0, width_ - scrollerWidth(), height_};
    invalidate(&textArea, true);
}

void TextBox::scrollBy(int lines) {
    // Without a bar the box scrolls itself, and only when its lines overflow.
    if (lineCount() > visibleLines())
        scrollTo(firstLine_ + lines);
}

void TextBox::scrollToEnd() {
    if (LineScroller* bar = scroller())
        bar->setPosition(lineCount() - visibleLines());
    else
        scrollBy(lineCount());
}

void TextBox::clear() {
    lines_.clear();
    colours_.clear();
    firstLine_ = 0;
    if (LineScroller* bar = scroller()) {
        bar->setPosition(0);
        bar->widget().hide();
    }
    invalidate(nullptr, true);
}

const char* TextBox::getLine(int index) const {
    return index >= 0 && index < lineCount() ? lines_[static_cast<std::size_t>(index)].c_str() : nullptr;
}

void TextBox::setDefaultColour(ColorRef colour) {
    defaultColour_ = colour;
    invalidate(nullptr, false);
}

void TextBox::setCentred(bool centred) {
    centred_ = centred;
    invalidate(nullptr, false);
}

bool TextBox::onMouseWheel(int delta) {
    const int lines = wheelLines(delta);
    if (LineScroller* bar = scroller())
        bar->setPosition(bar->getPosition() - lines);
    else
        scrollBy(-lines);
    return true;
}

int TextBox::onKeyDown(std::uint32_t key, LParam) {
    LineScroller* bar = scroller();
    const int page = visibleLines();
    switch (key) {
    case VK_HOME:
        bar ? bar->setPosition(0) : scrollTo(0);
        return 1;
    case VK_END:
        bar ? bar->setPosition(lineCount()) : scrollTo(lineCount());
        return 1;
    case VK_PRIOR:
        bar ? bar->pageUp() : scrollBy(-page);
        return 1;
    case VK_NEXT:
        bar ? bar->pageDown() : scrollBy(page);
        return 1;
    case VK_UP:
        bar ? bar->lineUp() : scrollBy(-1);
        return 1;
    case VK_DOWN:
        bar ? bar->lineDown() : scrollBy(1);
        return 1;
    default:
        return 0;
    }
}

void TextBox::onVScroll(WParam wParam, LParam) {
    scrollTo(static_cast<int>(wParam));
}

void TextBox::loadResources() {
    if (LineScroller* bar = scroller())
        bar->widget().loadResources();
}

void TextBox::freeResources() {
    if (LineScroller* bar = scroller())
        bar->widget().freeResources();
}

void TextBox::paint(PaintRecord& paint) {
    DeviceContext& dc = *paint.dc;
    dc.selectBrush(background_);
    dc.rectangle({0, 0, width_, height_});
    dc.setBkMode(kTransparent);
    dc.selectFont(font_);
    const int tabStops[] = {2 * averageCharWidth_};
    const int shown = std::min(lineCount(), firstLine_ + visibleLines());
    for (int i = firstLine_; i < shown; ++i) {
        const std::string& text = lines_[static_cast<std::size_t>(i)];
        if (text.empty())
            continue;
        int x = marginX_;
        if (centred_) {
            int textWidth = static_cast<int>(dc.getTabbedTextExtent(text, tabStops) & 0xFFFF);
            x += (width_ - 2 * marginX_ - scrollerWidth() - textWidth) / 2;
        }
        std::uint32_t colour = colours_[static_cast<std::size_t>(i)];
        dc.setTextColor(colour == kDefaultLogColour ? defaultColour_ : colour);
        dc.tabbedTextOut({x, (i - firstLine_) * lineHeight_}, text, tabStops, x);
    }
}

} // namespace q71
