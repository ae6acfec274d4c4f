#include "platform/controls/combo_box_control.h"

#include "platform/controls/combo_parts.h"
#include "platform/controls/control_messages.h"
#include "platform/controls/control_styles.h"
#include "platform/controls/owner_draw.h"
#include "platform/controls/scroll_bar.h"
#include "platform/controls/standard_controls.h"
#include "platform/window/focus.h"
#include "platform/window/message_queue.h"
#include "platform/window/virtual_keys.h"
#include "platform/window/window.h"
#include "platform/window/window_layout.h"
#include "platform/window/window_styles.h"

#include <algorithm>
#include <vector>

namespace q71 {
namespace {

constexpr int kFrame = 2; // the sunken edge and a pixel of the field around what it shows
constexpr std::uint32_t kKindMask = 0x3;

} // namespace

ComboBoxControl::ComboBoxControl(WindowHandle window, const CreateStruct& cs)
    : Control(window), style_(cs.style), dropHeight_(cs.height) {}

bool ComboBoxControl::ownerDrawn() const {
    return (style_ & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)) != 0;
}

bool ComboBoxControl::hasStrings() const {
    return !ownerDrawn() || (style_ & CBS_HASSTRINGS);
}

LResult ComboBoxControl::onCreate(const CreateStruct& cs) {
    std::uint32_t listStyle = WS_POPUP | WS_BORDER | LBS_NOTIFY | (style_ & (WS_VSCROLL | WS_HSCROLL)) |
                              (style_ & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)) |
                              ((style_ & CBS_HASSTRINGS) ? LBS_HASSTRINGS : 0);
    ComboListLink link{window()};
    list_ = windowCreate(WS_EX_TOPMOST | WS_EX_NOACTIVATE, "ComboLBox", "", listStyle, 0, 0, cs.width,
                         std::max(dropHeight_, 1), window(), kComboListId, &link);
    if (list_ == WindowHandle{})
        return -1;
    if ((style_ & kKindMask) != CBS_DROPDOWNLIST) {
        std::uint32_t editStyle = WS_CHILD | WS_VISIBLE | ((style_ & CBS_AUTOHSCROLL) ? ES_AUTOHSCROLL : 0);
        edit_ = windowCreate(0, "EDIT", "", editStyle, 0, 0, 0, 0, window(), kComboEditId,
                             const_cast<char*>(&kComboEditTag));
        if (edit_ == WindowHandle{})
            return -1;
    }
    measureHeights();
    return 0;
}

// Owner-drawn heights are asked through the box's own procedure, so that a procedure chained in
// front of it may answer; plain items are as high as the font.
int ComboBoxControl::measure(int itemId) {
    MeasureItemStruct m{ODT_COMBOBOX,
                        static_cast<std::uint32_t>(windowGetId(window())),
                        itemId,
                        windowGetClientRect(window()).width(),
                        font()->metrics().height,
                        0};
    if (ownerDrawn())
        messageSend(window(), WM_MEASUREITEM, windowGetId(window()), reinterpret_cast<LParam>(&m));
    return std::clamp(m.itemHeight, 1, 255);
}

void ComboBoxControl::fontChanged() {
    if (edit_ != WindowHandle{})
        messageSend(edit_, WM_SETFONT, fontToWParam(fontGiven()), 0);
    messageSend(list_, WM_SETFONT, fontToWParam(fontGiven()), 0);
    measureHeights();
}

void ComboBoxControl::measureHeights() {
    fieldHeight_ = edit_ != WindowHandle{} ? std::max(measure(-1), font()->metrics().height) : measure(-1);
    if (!(style_ & CBS_OWNERDRAWVARIABLE))
        messageSend(list_, LB_SETITEMHEIGHT, 0, measure(0));
    // The box is as high as its field, where it stands; the height asked at creation is kept
    // for the list.
    Rect r = windowGetRect(window());
    Point at = windowScreenToClient(windowGetParent(window()), {r.left, r.top});
    windowMove(window(), at.x, at.y, r.width(), fieldHeight_ + 2 * kFrame, true);
    placeParts();
}

Rect ComboBoxControl::buttonRect() const {
    Rect r = windowGetClientRect(window());
    int width = std::min(ScrollBar::kThickness, std::max(r.width() - 2, 0));
    return {r.right - 1 - width, 1, r.right - 1, r.bottom - 1};
}

Rect ComboBoxControl::fieldRect() const {
    Rect r = windowGetClientRect(window());
    return {kFrame, kFrame, std::max(buttonRect().left - 1, kFrame), r.bottom - kFrame};
}

void ComboBoxControl::placeParts() {
    if (edit_ == WindowHandle{})
        return;
    Rect field = fieldRect();
    windowMove(edit_, field.left, field.top, field.width(), field.height(), true);
}

LResult ComboBoxControl::handle(std::uint32_t message, WParam wParam, LParam lParam) {
    auto index = static_cast<int>(static_cast<LParam>(wParam));
    switch (message) {
    case CB_ADDSTRING:
        return forwardToList(LB_ADDSTRING, 0, lParam);
    case CB_DELETESTRING:
        return deleteItem(index);
    case CB_RESETCONTENT:
        forwardToList(LB_RESETCONTENT, 0, 0);
        selection_ = -1;
        showSelectionText();
        return 0;
    case CB_GETCOUNT:
        return forwardToList(LB_GETCOUNT, 0, 0);
    case CB_GETCURSEL:
        return selection_ >= 0 ? selection_ : CB_ERR;
    case CB_SETCURSEL:
        return setSelection(index);
    case CB_GETLBTEXT:
        return forwardToList(LB_GETTEXT, wParam, lParam);
    case CB_GETLBTEXTLEN:
        return forwardToList(LB_GETTEXTLEN, wParam, 0);
    case CB_GETITEMDATA:
        return forwardToList(LB_GETITEMDATA, wParam, 0);
    case CB_SETITEMDATA:
        return forwardToList(LB_SETITEMDATA, wParam, lParam);
    case CB_FINDSTRINGEXACT:
        return forwardToList(LB_FINDSTRINGEXACT, wParam, lParam);
    case CB_SHOWDROPDOWN:
        if (wParam)
            dropDown();
        else
            closeUp(false);
        return 1;
    case CB_GETDROPPEDSTATE:
        return dropped_ ? 1 : 0;
    case CB_SETMINVISIBLE:
        if (static_cast<int>(wParam) < 1)
            return 0;
        minVisible_ = static_cast<int>(wParam);
        return 1;
    case WM_SETTEXT:
        return setText(lParam);
    case WM_GETTEXT:
        return copyText(wParam, lParam);
    case WM_GETTEXTLENGTH:
        return edit_ != WindowHandle{} ? messageSend(edit_, message, 0, 0)
                                       : static_cast<LResult>(itemText(selection_).size());
    case WM_SIZE:
        placeParts();
        invalidate();
        return 0;
    case WM_ENABLE:
        if (edit_ != WindowHandle{})
            windowEnable(edit_, wParam != 0);
        invalidate();
        return 0;
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS | DLGC_WANTCHARS | (dropped_ ? DLGC_WANTALLKEYS : 0);
    case WM_SETFOCUS:
        if (edit_ != WindowHandle{}) {
            focusSet(edit_);
            return 0;
        }
        focused_ = true;
        invalidate();
        return 0;
    case WM_KILLFOCUS:
        focused_ = false;
        closeUp(false);
        invalidate();
        return 0;
    case WM_COMMAND:
        return onCommand(wParam, lParam);
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        if (!onKeyDown(message, wParam, lParam))
            return byDefault(message, wParam, lParam);
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        onPress({pointXFromLParam(lParam), pointYFromLParam(lParam)});
        return 0;
    case WM_MOUSEWHEEL:
        if (dropped_)
            return messageSend(list_, message, wParam, lParam);
        return byDefault(message, wParam, lParam);
    case WM_MEASUREITEM:
    case WM_DRAWITEM:
    case WM_DELETEITEM:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSTATIC:
        // From the parts (or the box itself): the parent answers for the box.
        return messageSend(notifyTarget(), message, wParam, lParam);
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        paint();
        return 0;
    case WM_DESTROY:
        closeUp(false);
        windowDestroy(list_);
        return 0;
    default:
        return byDefault(message, wParam, lParam);
    }
}

LResult ComboBoxControl::forwardToList(std::uint32_t message, WParam wParam, LParam lParam) const {
    LResult result = messageSend(list_, message, wParam, lParam);
    return result == LB_ERR ? CB_ERR : result;
}

LResult ComboBoxControl::deleteItem(int index) {
    LResult left = forwardToList(LB_DELETESTRING, static_cast<WParam>(index), 0);
    if (left == CB_ERR)
        return CB_ERR;
    if (index == selection_) {
        selection_ = -1;
        showSelectionText();
    } else if (index < selection_) {
        --selection_;
    }
    invalidate();
    return left;
}

LResult ComboBoxControl::setSelection(int index) {
    int count = static_cast<int>(messageSend(list_, LB_GETCOUNT, 0, 0));
    selection_ = index >= 0 && index < count ? index : -1;
    messageSend(list_, LB_SETCURSEL, static_cast<WParam>(selection_), 0);
    showSelectionText();
    return selection_ >= 0 ? selection_ : CB_ERR;
}

// The user chose an item: the field shows it and the parent hears of a new choice.
void ComboBoxControl::choose(int index) {
    if (index < 0 || index == selection_)
        return;
    selection_ = index;
    showSelectionText();
    if (edit_ != WindowHandle{})
        messageSend(edit_, EM_SETSEL, 0, -1);
    notify(CBN_SELCHANGE);
}

std::string ComboBoxControl::itemText(int index) const {
    LResult length = messageSend(list_, LB_GETTEXTLEN, static_cast<WParam>(index), 0);
    if (index < 0 || !hasStrings() || length < 0)
        return {};
    std::vector<char> buffer(static_cast<size_t>(length) + 1, '\0');
    messageSend(list_, LB_GETTEXT, static_cast<WParam>(index), reinterpret_cast<LParam>(buffer.data()));
    return buffer.data();
}

void ComboBoxControl::showSelectionText() {
    if (edit_ != WindowHandle{}) {
        settingText_ = true;
        windowSetText(edit_, itemText(selection_));
        settingText_ = false;
    }
    invalidate();
}

LResult ComboBoxControl::setText(LParam text) {
    const char* wanted = text ? reinterpret_cast<const char*>(text) : "";
    if (edit_ != WindowHandle{}) {
        settingText_ = true;
        LResult result = messageSend(edit_, WM_SETTEXT, 0, reinterpret_cast<LParam>(wanted));
        settingText_ = false;
        return result;
    }
    // A drop-down list shows only its items: the text chooses one.
    LResult found =
        forwardToList(LB_FINDSTRINGEXACT, static_cast<WParam>(-1), reinterpret_cast<LParam>(wanted));
    if (found == CB_ERR)
        return CB_ERR;
    setSelection(static_cast<int>(found));
    return 1;
}

LResult ComboBoxControl::copyText(WParam capacity, LParam buffer) const {
    if (edit_ != WindowHandle{})
        return messageSend(edit_, WM_GETTEXT, capacity, buffer);
    return copyTextToBuffer(itemText(selection_), capacity, buffer);
}

LResult ComboBoxControl::onCommand(WParam wParam, LParam lParam) {
    auto from = static_cast<WindowHandle>(static_cast<std::uint32_t>(lParam));
    auto code = static_cast<std::uint32_t>(hiWord(wParam));
    if (from == list_ && code == LBN_SELCHANGE) {
        choose(static_cast<int>(messageSend(list_, LB_GETCURSEL, 0, 0)));
        if (!forwardingKey_)
            closeUp(false);
    } else if (from == list_ && code == LBN_SELCANCEL) {
        closeUp(false);
    } else if (from == edit_ && code == EN_CHANGE && !settingText_) {
        // Typed text names no item any more.
        selection_ = -1;
        messageSend(list_, LB_SETCURSEL, static_cast<WParam>(-1), 0);
        notify(CBN_EDITCHANGE);
    } else if (from == edit_ && code == EN_KILLFOCUS) {
        closeUp(false);
    }
    return 0;
}

bool ComboBoxControl::onKeyDown(std::uint32_t message, WParam key, LParam lParam) {
    bool alt = message == WM_SYSKEYDOWN;
    if ((key == VK_F4 && !alt) || (alt && (key == VK_DOWN || key == VK_UP))) {
        if (dropped_)
            closeUp(true);
        else
            dropDown();
        return true;
    }
    if (alt) {
        // Alt+F4 and the program's other system keys (a screen's Alt+letter) go on, the list
        // up first: what they do may hide the box.
        closeUp(false);
        return false;
    }
    switch (key) {
    case VK_RETURN:
        closeUp(true);
        return true;
    case VK_ESCAPE:
        closeUp(false);
        return true;
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_HOME:
    case VK_END:
        // (An edit field keeps Home and End for its text and hands the others over.)
        forwardingKey_ = true;
        messageSend(list_, WM_KEYDOWN, key, lParam);
        forwardingKey_ = false;
        return true;
    default:
        return false;
    }
}

void ComboBoxControl::onPress(Point at) {
    if (edit_ != WindowHandle{})
        focusSet(edit_);
    else if (!focused_)
        focusSet(window());
    // A drop-down list opens from anywhere on the box, an edit field only from the arrow.
    if (edit_ == WindowHandle{} || buttonRect().contains(at)) {
        if (dropped_)
            closeUp(false);
        else
            dropDown();
    }
}

LResult comboBoxControlProc(WindowHandle window, std::uint32_t message, WParam wParam, LParam lParam) {
    return Control::procedure<ComboBoxControl>(window, message, wParam, lParam);
}

} // namespace q71
