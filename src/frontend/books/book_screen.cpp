#include "frontend/books/book_screen.h"

#include "framework/app/shell_fonts.h"
#include "framework/textmngr/text_manager.h"
#include "framework/widgets/text_box.h"
#include "frontend/books/book_layout.h"
#include "frontend/books/book_model_view.h"
#include "frontend/books/book_page.h"
#include "frontend/glass_colours.h"
#include "frontend/glass_list.h"
#include "frontend/glass_text.h"
#include "frontend/screen_art.h"
#include "platform/gdi/device_context.h"
#include "platform/resources/program_resources.h"
#include "platform/window/message_ids.h"
#include "platform/window/timers.h"
#include "platform/window/window_paint.h"
#include "sim/world/object_record.h"

#include <algorithm>
#include <cstdlib>

namespace q71 {
namespace {

constexpr int kListId = 1; // and kListId + 1 when a row is chosen
constexpr std::uintptr_t kTurnTimer = 1;
constexpr std::uint32_t kTurnMs = 100;
constexpr double kTurnStep = 3.0; // degrees a tick: a whole turn in twelve seconds
constexpr int kFigureRowHeight = 18;

constexpr int kLengthText = 2930;
constexpr int kBeamText = 2931;
constexpr int kHeightText = 2932;
constexpr int kSpeedText = 2933;
constexpr int kTestDepthText = 2934;
constexpr int kCrushDepthText = 2935;
constexpr int kRangeText = 2936;
constexpr int kNoPageText = 2937;
// The ground of the host's message log, under the page as under the captain's log.
constexpr int kPagePattern = 106;

void addFigure(std::vector<std::string>& lines, int text, int value) {
    if (value <= 0)
        return;
    char line[160];
    textFormat(line, text, value);
    lines.emplace_back(line);
}

// The widths of the columns the figures stand in, in a font: as many rows to a column as the glass
// holds, the rows shared evenly between the columns, each column as wide as its longest figure.
std::vector<int> columnWidths(const Font& font, const std::vector<std::string>& figures, int rows) {
    std::vector<int> widths(
        (figures.size() + static_cast<std::size_t>(rows) - 1) / static_cast<std::size_t>(rows), 0);
    for (std::size_t i = 0; i < figures.size(); ++i)
        widths[i / static_cast<std::size_t>(rows)] =
            std::max(widths[i / static_cast<std::size_t>(rows)], font.textWidth(figures[i]));
    return widths;
}

int sum(const std::vector<int>& values) {
    int total = 0;
    for (const int value : values)
        total += value;
    return total;
}

// The least room between two columns of figures: two spaces of the font.
int columnGap(const Font& font) {
    return font.textWidth("  ");
}

void drawFigures(DeviceContext& dc, const std::vector<std::string>& figures) {
    // Columns of figures down the glass, at least two spaces apart, the width to spare shared out
    // after each column, so that every figure stands whole in the glass's own font, or all of them
    // in a smaller one of its weight where the columns of the long figures of a boat would not fit
    // side by side.
    const int count = static_cast<int>(figures.size());
    if (count == 0 || !appInterfaceFont(kTextFont))
        return;
    const Rect inner = book_layout::kFiguresGlass.inflatedBy(-8, -4);
    const int perColumn = std::max(inner.height() / kFigureRowHeight, 1);
    const int columns = (count + perColumn - 1) / perColumn;
    const int rows = (count + columns - 1) / columns;
    const auto room = [&](const Font& font) {
        return sum(columnWidths(font, figures, rows)) + (columns - 1) * columnGap(font);
    };
    const FontRef font = glassFontFitting(kTextFont, [&](const Font& f) { return room(f) <= inner.width(); });
    const std::vector<int> widths = columnWidths(*font, figures, rows);
    const int spare = std::max(inner.width() - room(*font), 0) / columns;
    int left = inner.left;
    for (int column = 0; column < columns; ++column) {
        const int right = left + widths[static_cast<std::size_t>(column)] + spare;
        for (int i = column * rows; i < std::min((column + 1) * rows, count); ++i) {
            const int top = inner.top + (i - column * rows) * kFigureRowHeight;
            glassLineInFont(dc, {left, top, right, top + kFigureRowHeight},
                            figures[static_cast<std::size_t>(i)], font, glass_colours::kAmber);
        }
        left = right + columnGap(*font);
    }
}

} // namespace

std::vector<std::string> bookFigures(const ObjectRecord& record) {
    std::vector<std::string> lines;
    addFigure(lines, kLengthText, record.length);
    addFigure(lines, kBeamText, record.beam);
    addFigure(lines, kHeightText, record.height);
    addFigure(lines, kSpeedText, record.maxSpeed);
    addFigure(lines, kTestDepthText, std::abs(record.testDepth));
    addFigure(lines, kCrushDepthText, std::abs(record.crushDepth));
    addFigure(lines, kRangeText, record.weaponValue);
    return lines;
}

BookScreen::BookScreen(std::string_view key, WindowHandle parent, int width, int height, int x, int y,
                       int framed, const BookKind& kind)
    : SubScreen(key, parent, width, height, x, y), framed_(framed), kind_(kind) {}

BookScreen::~BookScreen() = default;

void BookScreen::open() {
    using namespace book_layout;
    frontEndSelectGroup(kind_.group);
    frontEndLoadBackground(background_, kBookPageName);
    entries_ = kind_.makeEntries();
    list_ = std::make_unique<GlassList>(window_, kListId, kListGlass.inflatedBy(-4, -4));
    list_->setRowsOf(entries_, &BookEntry::label);
    list_->takeKeys();
    view_ = std::make_unique<BookModelView>(window_, kModelGlass.inflatedBy(-3, -3));
    pageBox_ = makeLogTextBox(window_, kPageGlass.inflatedBy(-4, -4), resourceLoadBitmap(kPagePattern),
                              appScreenFont(), glass_colours::kPhosphor);
    pageBox_->loadResources();
    view_->show();
    timerSet(window_, kTurnTimer, kTurnMs);
    chosen_ = -1;
    choose(0);
}

void BookScreen::close() {
    timerKill(window_, kTurnTimer);
    view_.reset();
    pageBox_.reset();
    list_.reset();
    background_.free();
}

void BookScreen::choose(int entry) {
    if (entry < 0 || entry >= static_cast<int>(entries_.size()) || !list_)
        return;
    chosen_ = entry;
    list_->select(entry);
    const BookEntry& chosen = entries_[static_cast<std::size_t>(entry)];
    page_ = bookPageRead(chosen.pageFile).value_or(std::vector<std::string>{textCopy(kNoPageText)});
    pageBox_->clear();
    for (const std::string& paragraph : page_)
        pageBox_->addLine(paragraph.c_str());
    pageBox_->scrollTo(0);
    view_->showRecord(chosen.record);
    view_->setHeading(0.0);
    view_->render();
    windowInvalidate(window_, nullptr, false);
}

std::vector<std::string> BookScreen::figureLines() const {
    if (chosen_ < 0)
        return {};
    const ObjectRecord* record = entries_[static_cast<std::size_t>(chosen_)].record;
    return record ? bookFigures(*record) : std::vector<std::string>{};
}

void BookScreen::paint(DeviceContext& dc) {
    using namespace book_layout;
    SubScreen::paint(dc);
    glassTitle(dc, kTitle, textCopy(kind_.titleText));
    if (chosen_ < 0)
        return;
    drawFigures(dc, figureLines());
}

int BookScreen::onCommand(WParam wParam, LParam lParam) {
    switch (static_cast<int>(wParam)) {
    case kListId:
    case kListId + 1:
        choose(static_cast<int>(lParam));
        return 1;
    default:
        return SubScreen::onCommand(wParam, lParam);
    }
}

LResult BookScreen::handleMessage(WindowHandle window, std::uint32_t message, WParam wParam, LParam lParam) {
    if (message == WM_TIMER && wParam == kTurnTimer) {
        if (turning_ && view_ && isVisible())
            view_->turn(kTurnStep);
        return 0;
    }
    return SubScreen::handleMessage(window, message, wParam, lParam);
}

} // namespace q71
