#include "platform/controls/list_box_control.h"

#include "platform/controls/combo_parts.h"
#include "platform/controls/control_messages.h"
#include "platform/controls/control_styles.h"
#include "platform/controls/owner_draw.h"
#include "platform/controls/standard_controls.h"
#include "platform/window/message_queue.h"
#include "platform/window/text_compare.h"
#include "platform/window/timers.h"
#include "platform/window/virtual_keys.h"
#include "platform/window/window.h"
#include "platform/window/window_layout.h"
#include "platform/window/window_paint.h"
#include "platform/window/window_styles.h"

#include <algorithm>
#include <cstring>

namespace q71 {
namespace {

constexpr int kWheelLines = 3;
constexpr int kMaxItemHeight = 255;

WindowHandle comboOf(const CreateStruct& cs) {
    if (!cs.createParam || !windowing::equalNoCase(cs.className ? cs.className : "", "ComboLBox"))
        return {};
    return static_cast<const ComboListLink*>(cs.createParam)->combo;
}

} // namespace

ListBoxControl::ListBoxControl(WindowHandle window, const CreateStruct& cs)
    : Control(window), style_(cs.style), combo_(comboOf(cs)),
      items_(font()->metrics().height, (cs.style & LBS_OWNERDRAWVARIABLE) != 0) {}

LResult ListBoxControl::onCreate(const CreateStruct&) {
    if (combo_ != WindowHandle{})
        setNotifyTarget(combo_);
    else if (style_ & LBS_OWNERDRAWFIXED)
        measureFixedHeight();
    layout();
    return 0;
}

// Plain items are as high as the font; owner-drawn ones of one height are measured again (those
// of a combo box's list are set by the combo box).
void ListBoxControl::fontChanged() {
    if (!ownerDrawn())
        items_.setFixedHeight(font()->metrics().height);
    else if ((style_ & LBS_OWNERDRAWFIXED) && combo_ == WindowHandle{})
        measureFixedHeight();
    layout();
}

bool ListBoxControl::ownerDrawn() const {
    return (style_ & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) != 0;
}

bool ListBoxControl::hasStrings() const {
    return !ownerDrawn() || (style_ & LBS_HASSTRINGS);
}

std::uint32_t ListBoxControl::controlType() const {
    return combo_ != WindowHandle{} ? ODT_COMBOBOX : ODT_LISTBOX;
}

std::uint32_t ListBoxControl::reportedId() const {
    return static_cast<std::uint32_t>(windowGetId(reportedControl()));
}

WindowHandle ListBoxControl::reportedControl() const {
    return combo_ != WindowHandle{} ? combo_ : window();
}

LResult ListBoxControl::handle(std::uint32_t message, WParam wParam, LParam lParam) {
    auto index = static_cast<int>(static_cast<LParam>(wParam));
    switch (message) {
    case LB_ADDSTRING:
        return addItem(lParam);
    case LB_DELETESTRING:
        return deleteItem(index);
    case LB_RESETCONTENT:
        resetContent();
        return 0;
    case LB_SETCURSEL:
        items_.select(index);
        items_.ensureVisible(index, viewHeight());
        layout();
        invalidate();
        return items_.valid(index) ? index : LB_ERR;
    case LB_GETCURSEL:
        return items_.selection() >= 0 ? items_.selection() : LB_ERR;
    case LB_GETTEXT:
        return copyItemText(index, lParam);
    case LB_GETTEXTLEN:
        if (!items_.valid(index))
            return LB_ERR;
        return hasStrings() ? static_cast<LResult>(items_.at(index).text.size())
                            : static_cast<LResult>(sizeof(LParam));
    case LB_GETCOUNT:
        return items_.count();
    case LB_GETTOPINDEX:
        return items_.top();
    case LB_SETTOPINDEX:
        if (!items_.valid(index) && !(index == 0 && items_.count() == 0))
            return LB_ERR;
        items_.scrollTo(index, viewHeight());
        layout();
        invalidate();
        return 0;
    case LB_GETITEMRECT:
        return itemRect(index, lParam);
    case LB_GETITEMDATA:
        return items_.valid(index) ? items_.at(index).data : LB_ERR;
    case LB_SETITEMDATA:
        if (!items_.valid(index))
            return LB_ERR;
        items_.at(index).data = lParam;
        return 0;
    case LB_GETITEMHEIGHT:
        if (items_.variableHeights() && !items_.valid(index))
            return LB_ERR;
        return items_.heightOf(index);
    case LB_SETITEMHEIGHT:
        return setItemHeight(index, loWord(static_cast<std::uintptr_t>(lParam)));
    case LB_GETHORIZONTALEXTENT:
        return extent_;
    case LB_SETHORIZONTALEXTENT:
        extent_ = std::max(static_cast<int>(wParam & 0xFFFF), 0);
        layout();
        invalidate();
        return 0;
    case LB_FINDSTRINGEXACT:
        if (hasStrings())
            return items_.findExact(lParam ? reinterpret_cast<const char*>(lParam) : "", index);
        for (int i = 0; i < items_.count(); ++i)
            if (items_.at(i).data == lParam)
                return i;
        return LB_ERR;
    case WM_SIZE:
    case WM_ENABLE:
        layout();
        invalidate();
        return 0;
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        focused_ = message == WM_SETFOCUS;
        invalidate();
        return 0;
    case WM_KEYDOWN:
        onKeyDown(static_cast<std::uint32_t>(wParam));
        return 0;
    case WM_MOUSEWHEEL:
        onWheel(static_cast<std::int16_t>(hiWord(wParam)));
        return 0;
    case WM_VSCROLL:
        scrollVertically(loWord(wParam), hiWord(wParam));
        return 0;
    case WM_HSCROLL:
        scrollHorizontally(loWord(wParam), hiWord(wParam));
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        onButtonDown({pointXFromLParam(lParam), pointYFromLParam(lParam)}, message == WM_LBUTTONDBLCLK);
        return 0;
    case WM_MOUSEMOVE:
        onMouseMove({pointXFromLParam(lParam), pointYFromLParam(lParam)});
        return 0;
    case WM_LBUTTONUP:
        onButtonUp({pointXFromLParam(lParam), pointYFromLParam(lParam)});
        return 0;
    case WM_TIMER:
        if (wParam != kRepeatTimer)
            return byDefault(message, wParam, lParam);
        onRepeatTimer();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        paint();
        return 0;
    case WM_DESTROY:
        resetContent();
        return 0;
    default:
        return byDefault(message, wParam, lParam);
    }
}

LResult ListBoxControl::addItem(LParam value) {
    ListItem item;
    if (hasStrings())
        item.text = value ? reinterpret_cast<const char*>(value) : "";
    else
        item.data = value;
    if (items_.variableHeights())
        item.height = measureItem(items_.count(), value);
    int index = items_.add(std::move(item));
    layout();
    invalidate();
    return index;
}

LResult ListBoxControl::deleteItem(int index) {
    if (!items_.valid(index))
        return LB_ERR;
    sendDeleteItem(index);
    items_.erase(index);
    layout();
    invalidate();
    return items_.count();
}

void ListBoxControl::resetContent() {
    for (int i = 0; i < items_.count(); ++i)
        sendDeleteItem(i);
    items_.clear();
    layout();
    invalidate();
}

// The parent hears of every item that goes, when it draws them or gave them data to free.
void ListBoxControl::sendDeleteItem(int index) {
    LParam data = items_.at(index).data;
    if (!ownerDrawn() && data == 0)
        return;
    DeleteItemStruct gone{controlType(), reportedId(), index, reportedControl(), data};
    messageSend(notifyTarget(), WM_DELETEITEM, reportedId(), reinterpret_cast<LParam>(&gone));
}

int ListBoxControl::measureItem(int index, LParam data) {
    MeasureItemStruct measure{
        controlType(), reportedId(), index, windowGetClientRect(window()).width(), font()->metrics().height,
        data};
    messageSend(notifyTarget(), WM_MEASUREITEM, reportedId(), reinterpret_cast<LParam>(&measure));
    return std::clamp(measure.itemHeight, 1, kMaxItemHeight);
}

void ListBoxControl::measureFixedHeight() {
    items_.setFixedHeight(measureItem(0, 0));
}

LResult ListBoxControl::copyItemText(int index, LParam buffer) const {
    if (!items_.valid(index) || buffer == 0)
        return LB_ERR;
    if (!hasStrings()) {
        std::memcpy(reinterpret_cast<void*>(buffer), &items_.at(index).data, sizeof(LParam));
        return sizeof(LParam);
    }
    const std::string& text = items_.at(index).text;
    std::memcpy(reinterpret_cast<char*>(buffer), text.c_str(), text.size() + 1);
    return static_cast<LResult>(text.size());
}

LResult ListBoxControl::setItemHeight(int index, int height) {
    if (height < 1 || height > kMaxItemHeight)
        return LB_ERR;
    if (items_.variableHeights()) {
        if (!items_.valid(index))
            return LB_ERR;
        items_.at(index).height = height;
    } else {
        items_.setFixedHeight(height);
    }
    layout();
    invalidate();
    return 0;
}

LResult ListBoxControl::itemRect(int index, LParam out) {
    if (!items_.valid(index) || out == 0)
        return LB_ERR;
    layout();
    int top = view_.top + items_.offsetOf(index);
    *reinterpret_cast<Rect*>(out) = {view_.left, top, view_.right, top + items_.heightOf(index)};
    return 1;
}

void ListBoxControl::layout() {
    Rect inner = windowGetClientRect(window());
    if (style_ & WS_BORDER)
        inner = inner.inflatedBy(-1, -1);
    int contentHeight = 0;
    for (int i = 0; i < items_.count(); ++i)
        contentHeight += items_.heightOf(i);
    // A bar takes room from the other direction, so each may bring the other in.
    bool needVertical = false, needHorizontal = false;
    for (int pass = 0; pass < 2; ++pass) {
        int width = inner.width() - (needVertical ? ScrollBar::kThickness : 0);
        int height = inner.height() - (needHorizontal ? ScrollBar::kThickness : 0);
        needVertical = (style_ & WS_VSCROLL) && contentHeight > height;
        needHorizontal = (style_ & WS_HSCROLL) && extent_ > width;
    }
    view_ = {inner.left, inner.top, inner.right - (needVertical ? ScrollBar::kThickness : 0),
             inner.bottom - (needHorizontal ? ScrollBar::kThickness : 0)};
    vertical_.place(needVertical ? Rect{view_.right, inner.top, inner.right, view_.bottom} : Rect{});
    horizontal_.place(needHorizontal ? Rect{inner.left, view_.bottom, view_.right, inner.bottom} : Rect{});
    items_.scrollTo(items_.top(), viewHeight());
    vertical_.setRange(0, std::max(items_.count() - 1, 0),
                       std::max(items_.count() - items_.maxTop(viewHeight()), 1));
    vertical_.setPosition(items_.top());
    offsetX_ = std::clamp(offsetX_, 0, std::max(0, extent_ - view_.width()));
    horizontal_.setRange(0, std::max(extent_ - 1, 0), std::max(view_.width(), 1));
    horizontal_.setPosition(offsetX_);
}

void ListBoxControl::scrollVertically(int code, int position) {
    const int page = std::max(items_.fullyVisible(viewHeight()) - 1, 1);
    const std::optional<int> top = scrollTarget(code, position, items_.top(), 1, page, items_.count());
    if (!top)
        return;
    items_.scrollTo(*top, viewHeight());
    layout();
    invalidate();
}

void ListBoxControl::scrollHorizontally(int code, int position) {
    const int line = std::max(font()->metrics().aveCharWidth, 1), page = std::max(view_.width(), 1);
    const std::optional<int> offset = scrollTarget(code, position, offsetX_, line, page, extent_);
    if (!offset)
        return;
    offsetX_ = *offset;
    layout();
    invalidate();
}

void ListBoxControl::selectByUser(int index) {
    if (!items_.valid(index))
        return;
    bool changed = items_.select(index);
    items_.ensureVisible(index, viewHeight());
    layout();
    invalidate();
    if (changed && ((style_ & LBS_NOTIFY) || combo_ != WindowHandle{}))
        notify(LBN_SELCHANGE);
}

void ListBoxControl::onKeyDown(std::uint32_t key) {
    int count = items_.count(), selection = items_.selection();
    if (count == 0)
        return;
    int page = std::max(items_.fullyVisible(viewHeight()) - 1, 1);
    int target;
    switch (key) {
    case VK_UP:
    case VK_LEFT:
        target = selection < 0 ? 0 : selection - 1;
        break;
    case VK_DOWN:
    case VK_RIGHT:
        target = selection < 0 ? 0 : selection + 1;
        break;
    case VK_PRIOR:
        target = selection - page;
        break;
    case VK_NEXT:
        target = selection < 0 ? page : selection + page;
        break;
    case VK_HOME:
        target = 0;
        break;
    case VK_END:
        target = count - 1;
        break;
    default:
        return;
    }
    selectByUser(std::clamp(target, 0, count - 1));
}

void ListBoxControl::onWheel(int delta) {
    wheelRest_ += delta;
    int notches = wheelRest_ / WHEEL_DELTA;
    wheelRest_ %= WHEEL_DELTA;
    if (notches != 0 && items_.scrollTo(items_.top() - notches * kWheelLines, viewHeight())) {
        layout();
        invalidate();
    }
}

LResult listBoxControlProc(WindowHandle window, std::uint32_t message, WParam wParam, LParam lParam) {
    return Control::procedure<ListBoxControl>(window, message, wParam, lParam);
}

} // namespace q71
