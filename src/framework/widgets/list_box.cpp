#include "framework/widgets/list_box.h"

#include "framework/app/reporter.h"
#include "framework/widgets/owner_drawn_items.h"
#include "platform/controls/control.h"
#include "platform/controls/control_messages.h"
#include "platform/controls/control_styles.h"
#include "platform/controls/owner_draw.h"
#include "platform/controls/standard_controls.h"
#include "platform/gdi/device_context.h"
#include "platform/gdi/dib_format.h"
#include "platform/gdi/window_dc.h"
#include "platform/window/cursors.h"
#include "platform/window/focus.h"
#include "platform/window/message_ids.h"
#include "platform/window/message_queue.h"
#include "platform/window/window.h"
#include "platform/window/window_styles.h"

#include <algorithm>

namespace q71 {
namespace {

// Items of one height, so that every item grows with the tallest bitmap.
constexpr std::uint32_t kListStyle =
    WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | WS_HSCROLL | LBS_OWNERDRAWFIXED | LBS_NOTIFY;
constexpr int kCheckColumn = 31;
constexpr int kCheckBox = 10;
constexpr int kTabStop = 45;
constexpr ColorRef kHighlight = 0xFF0000;

int bitmapHeight(const WidgetBitmap& bitmap) {
    auto format = dibParseInfo(bitmap.header());
    return format ? format->height : 0;
}

} // namespace

ListBox::ListBox(WindowHandle parentWindow, int controlId, int x, int y, int width, int height,
                 std::shared_ptr<Bitmap> pattern, std::shared_ptr<const Font> font, bool itemsHaveBitmaps,
                 bool highlightSelection, bool checkColumn)
    : BaseWidget(parentWindow, x, y, width, height, true),
      background_(pattern ? createPatternBrush(pattern.get()) : stockBrush(StockObject::WhiteBrush)),
      font_(std::move(font)), itemsHaveBitmaps_(itemsHaveBitmaps), highlightSelection_(highlightSelection),
      checkColumn_(checkColumn) {
    setName("ListBox");
    controlId_ = controlId;
    itemHeight_ = fontLineHeight(font_);
    controlsRegisterClasses();
    list_ = windowCreate(0, "LISTBOX", "", kListStyle, 0, 0, width, height, window_,
                         static_cast<std::uintptr_t>(controlId));
    messageSend(list_, WM_SETFONT, fontToWParam(font_), 0);
}

int ListBox::count() const {
    return static_cast<int>(messageSend(list_, LB_GETCOUNT, 0, 0));
}

ListBox::Item* ListBox::itemAt(int index) const {
    LResult data = messageSend(list_, LB_GETITEMDATA, static_cast<WParam>(index), 0);
    if (index < 0 || index >= count() || data == LB_ERR || data == 0)
        return nullptr;
    return reinterpret_cast<Item*>(data);
}

int ListBox::extentOf(const Item& item) const {
    auto dc = createDisplayDC();
    if (!dc)
        return 0;
    dc->selectFont(font_);
    const int tabStops[] = {kTabStop};
    const int textWidth = static_cast<int>(dc->getTabbedTextExtent(item.text, tabStops) & 0xFFFF);
    return textWidth + (checkColumn_ ? kCheckColumn : 1) + item.textOffset + 1;
}

int ListBox::addItem(std::string_view text, std::string_view bitmapName, bool checked, int textOffset,
                     int bitmapAlign, std::uint32_t value) {
    auto item = std::make_unique<Item>();
    item->bitmapName = bitmapName;
    item->text = text;
    item->textOffset = textOffset;
    item->bitmapAlign = bitmapAlign;
    item->checked = checked;
    item->value = value;
    // An item added while the list shows its bitmaps shows its own at once.
    if (resourcesLoaded_ && itemsHaveBitmaps_ && loadBitmap(*item))
        growItemHeight(*item);
    const int extent = extentOf(*item);
    LResult index = messageSend(list_, LB_ADDSTRING, 0, reinterpret_cast<LParam>(item.get()));
    if (index == LB_ERR)
        return -1;
    items_.push_back(std::move(item));
    if (extent > static_cast<int>(messageSend(list_, LB_GETHORIZONTALEXTENT, 0, 0)))
        messageSend(list_, LB_SETHORIZONTALEXTENT, static_cast<WParam>(extent), 0);
    return static_cast<int>(index);
}

void ListBox::deleteItem(int index) {
    if (messageSend(list_, LB_DELETESTRING, static_cast<WParam>(index), 0) == LB_ERR)
        return;
    int widest = 0;
    for (int i = 0; i < count(); ++i)
        if (const Item* item = itemAt(i))
            widest = std::max(widest, extentOf(*item));
    messageSend(list_, LB_SETHORIZONTALEXTENT, static_cast<WParam>(widest), 0);
}

int ListBox::getSelectedText(std::string& text) const {
    const Item* item = itemAt(getCurSel());
    if (!item)
        return 0;
    text = item->text;
    return 1;
}

std::uint32_t ListBox::getItemValue(int index) const {
    const Item* item = itemAt(index);
    return item ? item->value : 0;
}

int ListBox::getCurSel() const {
    return static_cast<int>(messageSend(list_, LB_GETCURSEL, 0, 0));
}

void ListBox::setCurSel(int index) {
    messageSend(list_, LB_SETCURSEL, static_cast<WParam>(index), 0);
    messageSend(parentWindow_, WM_COMMAND, static_cast<WParam>((LBN_SELCHANGE << 16) | (controlId_ & 0xFFFF)),
                0);
}

void ListBox::clear() {
    messageSend(list_, LB_RESETCONTENT, 0, 0);
}

bool ListBox::loadBitmap(Item& item) {
    if (item.bitmapName.empty() || item.bitmap.load(item.bitmapName))
        return item.bitmap.loaded();
    if (widgetArchiveBitmaps())
        reportFatalCaption(item.bitmapName.c_str(), "dibCLoad failed?", 439, "listbx", 0);
    reportWarning("Could not Open Bitmap", 448, "listbx", 0);
    reportWarning(item.bitmapName.c_str(), 449, "listbx", 0);
    return false;
}

void ListBox::growItemHeight(const Item& item) {
    const int height = bitmapHeight(item.bitmap);
    if (height <= itemHeight_)
        return;
    itemHeight_ = height;
    messageSend(list_, LB_SETITEMHEIGHT, 0, itemHeight_);
}

void ListBox::loadResources() {
    if (!itemsHaveBitmaps_)
        return;
    resourcesLoaded_ = true;
    for (int i = 0; i < count(); ++i) {
        Item* item = itemAt(i);
        if (item && loadBitmap(*item))
            growItemHeight(*item);
    }
    invalidate(nullptr, false);
}

void ListBox::freeResources() {
    if (!itemsHaveBitmaps_)
        return;
    resourcesLoaded_ = false;
    for (auto& item : items_)
        item->bitmap.free();
}

void ListBox::forgetItem(LParam data) {
    auto gone = std::find_if(items_.begin(), items_.end(),
                             [&](const auto& item) { return reinterpret_cast<LParam>(item.get()) == data; });
    if (gone != items_.end())
        items_.erase(gone);
    invalidate(nullptr, true);
}

void ListBox::drawItem(const DrawItemStruct& draw) {
    const Item* item = reinterpret_cast<const Item*>(draw.itemData);
    if (!item || !draw.dc)
        return;
    DeviceContext& dc = *draw.dc;
    const Rect& r = draw.item;
    dc.setBkMode(kTransparent);
    dc.selectPen(stockPen(StockObject::NullPen));
    dc.selectBrush(background_);
    dc.rectangle({r.left, r.top, r.right + 1, r.bottom + 1});
    if ((draw.itemState & ODS_SELECTED) && highlightSelection_) {
        dc.selectPen(createPen(PenStyle::Solid, 1, kHighlight));
        dc.selectBrush(createSolidBrush(kHighlight));
        dc.rectangle(r);
        dc.setTextColor(selectedTextColour_);
    } else {
        dc.setTextColor(textColour_);
    }
    int x = r.left + 1;
    if (checkColumn_) {
        dc.selectPen(stockPen(StockObject::BlackPen));
        dc.selectBrush(stockBrush(StockObject::WhiteBrush));
        const int boxTop = r.top + itemHeight_ / 2 - kCheckBox / 2;
        dc.rectangle({r.left + 2, boxTop, r.left + 2 + kCheckBox, boxTop + kCheckBox});
        if (item->checked) {
            const int y0 = r.top + itemHeight_ / 2 - 7;
            dc.selectPen(createPen(PenStyle::Solid, 2, 0));
            const Point tick[] = {{r.left + 2, y0 + 5}, {r.left + 4, y0 + 8}, {r.left + 12, y0}};
            dc.polyline(tick);
        }
        x = r.left + kCheckColumn;
    }
    if (item->bitmap.loaded()) {
        const int height = bitmapHeight(item->bitmap);
        const int offset = item->bitmapAlign == kBitmapCentred ? itemHeight_ / 2 - height / 2
                           : item->bitmapAlign == kBitmapTop   ? 0
                                                               : itemHeight_ - height;
        item->bitmap.draw(dc, x, r.top + offset);
    }
    if (!item->text.empty()) {
        dc.selectFont(font_);
        const int tabStops[] = {kTabStop};
        const int textX = x + item->textOffset;
        const int textHeight = static_cast<int>(dc.getTabbedTextExtent(item->text, tabStops) >> 16);
        dc.tabbedTextOut({textX, r.top + (itemHeight_ - textHeight) / 2}, item->text, tabStops, textX);
    }
}

LResult ListBox::dispatch(std::uint32_t message, WParam wParam, LParam lParam) {
    switch (message) {
    case WM_MEASUREITEM:
        answerMeasureItem(lParam, itemHeight_, width_);
        return 1;
    case WM_DRAWITEM:
        drawItem(*reinterpret_cast<const DrawItemStruct*>(lParam));
        return 1;
    case WM_DELETEITEM:
        forgetItem(reinterpret_cast<const DeleteItemStruct*>(lParam)->itemData);
        return 1;
    case WM_CTLCOLORLISTBOX:
        return static_cast<LResult>(classBackgroundBrush(&background_));
    default:
        return BaseWidget::dispatch(message, wParam, lParam);
    }
}

void ListBox::onSetCursor() {
    BaseWidget::onSetCursor();
    focusSet(list_);
}

int ListBox::onCommand(WParam wParam, LParam lParam) {
    const auto code = static_cast<std::uint32_t>(wParam >> 16) & 0xFFFF;
    if (code == LBN_SELCHANGE || code == LBN_DBLCLK)
        messageSend(parentWindow_, WM_COMMAND, wParam, lParam);
    return 0;
}

} // namespace q71
