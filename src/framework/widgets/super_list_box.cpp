#include "framework/widgets/super_list_box.h"

#include "framework/widgets/bevel.h"
#include "framework/widgets/owner_drawn_items.h"
#include "framework/widgets/simple_button.h"
#include "platform/controls/combo_parts.h"
#include "platform/controls/control.h"
#include "platform/controls/control_messages.h"
#include "platform/controls/control_styles.h"
#include "platform/controls/owner_draw.h"
#include "platform/controls/standard_controls.h"
#include "platform/gdi/device_context.h"
#include "platform/gdi/window_dc.h"
#include "platform/window/focus.h"
#include "platform/window/message_ids.h"
#include "platform/window/message_queue.h"
#include "platform/window/virtual_keys.h"
#include "platform/window/window.h"
#include "platform/window/window_class.h"
#include "platform/window/window_layout.h"
#include "platform/window/window_paint.h"
#include "platform/window/window_styles.h"

#include <algorithm>
#include <vector>

namespace q71 {
namespace {

constexpr const char* kSuperClass = "SuperListBox";
constexpr std::uint32_t kNotSuperClassStyle = 0x4080; // CS_GLOBALCLASS | CS_PARENTDC
constexpr std::uint32_t kKindMask = 0x3;
constexpr std::uint32_t kOwnerDrawn = CBS_OWNERDRAWFIXED | CBS_HASSTRINGS | CBS_NOINTEGRALHEIGHT;
constexpr int kDropButtonId = 120;
constexpr int kHeight = 20;
constexpr int kSmallHeight = 13;
constexpr int kSmallInset = 3;
constexpr ColorRef kBevelColour = rgb(0xB0, 0xB0, 0xB0);
constexpr ColorRef kHighlight = 0xFF0000;

bool registerSuperClass() {
    WindowClass existing;
    if (classGetInfo(kSuperClass, existing))
        return true;
    WindowClass combo;
    if (!controlsRegisterClasses() || !classGetInfo("COMBOBOX", combo))
        return false;
    combo.name = kSuperClass;
    combo.style &= ~kNotSuperClassStyle;
    return classRegister(combo) != 0;
}

// The drop button: pressed, it drops the list, and it stays down until the list closes.
class DropButton final : public SimpleButton {
public:
    DropButton(WindowHandle widgetWindow, WindowHandle combo, int x, int y, int width, int height,
               std::string_view bitmap)
        : SimpleButton(widgetWindow, kDropButtonId, x, y, width, height, bitmap, 3, kPush, true), combo_(combo) {}

    void onLeftDown(int x, int y) override {
        SimpleButton::onLeftDown(x, y);
        if (!leftPressed_)
            return;
        // The list takes the mouse as it drops.
        captureRelease();
        messageSend(combo_, CB_SHOWDROPDOWN, 1, 0);
    }
    // Raises the button; the capture belongs to the list by now, so it is left alone.
    void onLeftUp(int, int) override {
        if (!leftPressed_)
            return;
        leftPressed_ = false;
        setState(2);
    }

private:
    WindowHandle combo_;
};

} // namespace

SuperListBox::SuperListBox(WindowHandle parentWindow, int controlId, std::uint32_t style, int x, int y,
                           int width, int dropHeight, std::shared_ptr<Bitmap> pattern,
                           std::shared_ptr<const Font> font, std::string_view buttonBitmap, int buttonWidth,
                           int buttonHeight, bool bevel, bool small)
    : BaseWidget(parentWindow, x, y, width, small ? kSmallHeight : kHeight, true), font_(std::move(font)),
      background_(pattern ? createPatternBrush(pattern.get()) : stockBrush(StockObject::BlackBrush)),
      buttonBitmap_(buttonBitmap), buttonWidth_(buttonWidth), buttonHeight_(buttonHeight), bevel_(bevel),
      small_(small) {
    setName("ComboBox");
    controlId_ = controlId;
    itemHeight_ = fontLineHeight(font_);
    createCombo(style, dropHeight);
}

SuperListBox::~SuperListBox() {
    releaseCombo();
}

void SuperListBox::createCombo(std::uint32_t style, int dropHeight) {
    if (!registerSuperClass())
        return;
    if ((style & kKindMask) != CBS_DROPDOWNLIST) {
        style |= kOwnerDrawn;
    } else {
        // A drop-down whose field is kept from typing.
        dropList_ = true;
        style = (style & ~kKindMask) | WS_VISIBLE | CBS_DROPDOWN | kOwnerDrawn;
    }
    const int at = small_ ? -kSmallInset : 0;
    combo_ = windowCreate(0, kSuperClass, "COMBOBOX", style | WS_CHILD, at, at, width_ + (small_ ? kSmallInset : 0),
                          dropHeight, window_, static_cast<std::uintptr_t>(controlId_));
    if (!windowIsValid(combo_))
        return;
    windowObjectAttach(combo_, this);
    windowShow(combo_, SW_SHOW);
    systemComboProc_ = windowSetProc(combo_, &SuperListBox::comboProc);
    messageSend(combo_, WM_SETFONT, fontToWParam(font_), 0);
    edit_ = windowGetChildById(combo_, kComboEditId);
    if (windowIsValid(edit_)) {
        // The field stands a pixel higher and a pixel shorter than the box places it.
        Rect r = windowGetRect(edit_);
        Point at = windowScreenToClient(combo_, {r.left, r.top});
        windowMove(edit_, at.x, at.y - 1, r.width(), r.height() - 1, true);
        systemEditProc_ = windowSetProc(edit_, &SuperListBox::editProc);
    }
    if (style & CBS_DROPDOWN) {
        dropButton_ = new DropButton(window_, combo_, width_ - buttonWidth_, small_ ? kSmallInset : 0,
                                     buttonWidth_, buttonHeight_, buttonBitmap_);
        // Over the box's own arrow.
        windowSetPos(dropButton_->window(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        dropButton_->loadResources();
    }
}

void SuperListBox::releaseCombo() {
    if (!windowIsValid(combo_))
        return;
    if (windowIsValid(edit_) && systemEditProc_)
        windowSetProc(edit_, systemEditProc_);
    if (systemComboProc_)
        windowSetProc(combo_, systemComboProc_);
    windowObjectDetach(combo_);
}

void SuperListBox::onDestroy() {
    releaseCombo();
}

LResult SuperListBox::comboProc(WindowHandle window, std::uint32_t message, WParam wParam, LParam lParam) {
    SuperListBox* self = windowObjectAs<SuperListBox>(window);
    return self ? self->comboMessage(message, wParam, lParam)
                : windowDefaultProc(window, message, wParam, lParam);
}

LResult SuperListBox::editProc(WindowHandle window, std::uint32_t message, WParam wParam, LParam lParam) {
    SuperListBox* self = windowObjectAs<SuperListBox>(windowGetParent(window));
    return self ? self->editMessage(message, wParam, lParam)
                : windowDefaultProc(window, message, wParam, lParam);
}

void SuperListBox::releaseButton() {
    if (dropButton_)
        dropButton_->onLeftUp(0, 0);
}

void SuperListBox::pressDropButton() {
    if (dropButton_)
        dropButton_->onLeftDown(buttonWidth_ / 2, buttonHeight_ / 2);
}

LResult SuperListBox::comboMessage(std::uint32_t message, WParam wParam, LParam lParam) {
    switch (message) {
    case WM_PAINT:
        paintCombo();
        return 0;
    case WM_SETCURSOR:
        releaseButton();
        return 0;
    case WM_MEASUREITEM:
        answerMeasureItem(lParam, itemHeight_, width_);
        return 1;
    case WM_DRAWITEM:
        drawItem(*reinterpret_cast<const DrawItemStruct*>(lParam));
        return 1;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
        return colourField(wParam);
    case CB_SHOWDROPDOWN:
        if (wParam == 0)
            releaseButton();
        focusSet(combo_);
        break;
    case WM_LBUTTONDOWN:
        if (dropList_) {
            pressDropButton(); // the frame round the field, as the field
            return 0;
        }
        [[fallthrough]];
    case WM_SETFOCUS:
        if (windowIsValid(edit_)) {
            focusSet(edit_);
            return 0;
        }
        break;
    default:
        break;
    }
    return systemComboProc_(combo_, message, wParam, lParam);
}

LResult SuperListBox::editMessage(std::uint32_t message, WParam wParam, LParam lParam) {
    const bool keyDown = message == WM_KEYDOWN;
    if (keyDown && forwardEnterTab_ && (wParam == VK_RETURN || wParam == VK_TAB)) {
        messageSend(window_, message, wParam, lParam);
        return 0;
    }
    if (dropList_) {
        // The field of a list that only offers choices takes no typing and shows no caret; Escape
        // still closes the dropped list, and goes no further than the box. A click on it opens
        // the list as the drop button does (the dropped list takes the clicks after that).
        if (keyDown && wParam == VK_ESCAPE && messageSend(combo_, CB_GETDROPPEDSTATE, 0, 0))
            messageSend(combo_, CB_SHOWDROPDOWN, 0, 0);
        if (message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK)
            pressDropButton();
        if (keyDown || message == WM_CHAR || message == WM_SETFOCUS || message == WM_LBUTTONDOWN ||
            message == WM_LBUTTONDBLCLK)
            return 0;
    }
    return systemEditProc_(edit_, message, wParam, lParam);
}

LResult SuperListBox::colourField(WParam wParam) {
    if (DeviceContext* dc = deviceContextFromWParam(wParam)) {
        dc->setBkMode(kTransparent);
        dc->setTextColor(textColour_);
        dc->selectFont(font_);
        dc->setTextAlign(kTaLeft);
    }
    return static_cast<LResult>(classBackgroundBrush(&background_));
}

void SuperListBox::paintCombo() {
    PaintStruct ps = beginPaint(combo_);
    if (ps.dc) {
        DeviceContext& dc = *ps.dc;
        Rect area{0, 0, width_, height_};
        if (small_)
            area = Rect{4, 4, 4 + width_ + 2, 4 + height_};
        if (frameColour_ == 0 || small_) {
            dc.fillRect(area, background_);
        } else {
            dc.selectPen(createPen(PenStyle::Solid, 1, frameColour_));
            dc.selectBrush(background_);
            dc.rectangle(area);
        }
        if (bevel_)
            drawBevelWithColour(dc, kBevelColour, true, area.left, area.top, area.right - 1, area.bottom - 1, 2,
                                kBevelSunken);
    }
    endPaint(combo_, ps);
}

void SuperListBox::drawItem(const DrawItemStruct& draw) {
    if (!draw.dc)
        return;
    DeviceContext& dc = *draw.dc;
    const Rect& r = draw.item;
    dc.fillRect({r.left, r.top, r.right + 1, r.bottom + 1}, background_);
    dc.setBkMode(kTransparent);
    if (draw.itemState & ODS_SELECTED) {
        dc.fillRect(r, createSolidBrush(kHighlight));
        dc.setTextColor(selectedTextColour_);
    } else {
        dc.setTextColor(textColour_);
    }
    if (draw.itemId >= 0) {
        const std::string text = getItemText(draw.itemId);
        dc.selectFont(font_);
        const int textHeight = dc.getTextExtent(text).cy;
        dc.textOut({r.left + 1, r.top + (r.height() - textHeight) / 2}, text);
    }
    if (frameColour_ == 0)
        return;
    const Brush frame = createSolidBrush(frameColour_);
    dc.fillRect({r.left, r.top, r.left + 1, r.bottom}, frame);
    dc.fillRect({r.right - 1, r.top, r.right, r.bottom}, frame);
    if (draw.itemId == 0)
        dc.fillRect({r.left, r.top, r.right, r.top + 1}, frame);
    if (draw.itemId == getCount() - 1)
        dc.fillRect({r.left, r.bottom - 1, r.right, r.bottom}, frame);
}

void SuperListBox::paint(PaintRecord& paint) {
    paint.dc->fillRect({0, 0, width_, height_}, background_);
}

void SuperListBox::onSetCursor() {
    BaseWidget::onSetCursor();
    if (windowIsValid(combo_))
        focusSet(combo_);
}

int SuperListBox::onCommand(WParam wParam, LParam lParam) {
    const auto code = static_cast<std::uint32_t>(wParam >> 16) & 0xFFFF;
    if (static_cast<WindowHandle>(static_cast<std::uint32_t>(lParam)) != combo_)
        return 0;
    if (code == CBN_CLOSEUP) {
        // However the list went up (a choice, a click elsewhere, a key), the button comes up with it.
        releaseButton();
        return 1;
    }
    if (code != CBN_SELCHANGE && code != CBN_EDITCHANGE)
        return 0;
    releaseButton();
    messageSend(parentWindow_, WM_COMMAND, (static_cast<WParam>(code) << 16) | (controlId_ & 0xFFFF), lParam);
    return 1;
}

int SuperListBox::addString(std::string_view text) {
    const std::string copy(text);
    return static_cast<int>(messageSend(combo_, CB_ADDSTRING, 0, reinterpret_cast<LParam>(copy.c_str())));
}

void SuperListBox::deleteString(int index) {
    messageSend(combo_, CB_DELETESTRING, static_cast<WParam>(index), 0);
    windowInvalidate(combo_, nullptr, true);
}

int SuperListBox::findStringExact(std::string_view text) const {
    const std::string copy(text);
    const LResult found =
        messageSend(combo_, CB_FINDSTRINGEXACT, static_cast<WParam>(-1), reinterpret_cast<LParam>(copy.c_str()));
    return found == CB_ERR ? -1 : static_cast<int>(found);
}

bool SuperListBox::removeString(std::string_view text) {
    const int index = findStringExact(text);
    if (index < 0)
        return false;
    deleteString(index);
    return true;
}

void SuperListBox::resetContent() {
    messageSend(combo_, CB_RESETCONTENT, 0, 0);
}

std::string SuperListBox::getText() const {
    return windowGetText(combo_);
}

void SuperListBox::setText(std::string_view text) {
    windowSetText(combo_, text);
}

void SuperListBox::setCurSel(int index) {
    messageSend(combo_, CB_SETCURSEL, static_cast<WParam>(index), 0);
}

int SuperListBox::getCurSel() const {
    return static_cast<int>(messageSend(combo_, CB_GETCURSEL, 0, 0));
}

int SuperListBox::getCount() const {
    return std::max(static_cast<int>(messageSend(combo_, CB_GETCOUNT, 0, 0)), 0);
}

void SuperListBox::setItemData(int index, LParam value) {
    messageSend(combo_, CB_SETITEMDATA, static_cast<WParam>(index), value);
}

LParam SuperListBox::getItemData(int index) const {
    return messageSend(combo_, CB_GETITEMDATA, static_cast<WParam>(index), 0);
}

std::string SuperListBox::getItemText(int index) const {
    const LResult length = messageSend(combo_, CB_GETLBTEXTLEN, static_cast<WParam>(index), 0);
    if (length < 0)
        return {};
    std::vector<char> buffer(static_cast<std::size_t>(length) + 1, '\0');
    messageSend(combo_, CB_GETLBTEXT, static_cast<WParam>(index), reinterpret_cast<LParam>(buffer.data()));
    return buffer.data();
}

int SuperListBox::findItemData(LParam value, int start) const {
    for (int i = std::max(start, 0); i < getCount(); ++i)
        if (getItemData(i) == value)
            return i;
    return -1;
}

void SuperListBox::setTextColour(ColorRef colour) {
    textColour_ = colour;
    windowInvalidate(combo_, nullptr, true);
}

void SuperListBox::setFrameColour(ColorRef colour) {
    frameColour_ = colour;
    windowInvalidate(combo_, nullptr, true);
}

void SuperListBox::loadResources() {
    if (dropButton_)
        dropButton_->loadResources();
}

void SuperListBox::freeResources() {
    if (dropButton_)
        dropButton_->freeResources();
}

} // namespace q71
