// The button control: push buttons (the default one marked), check boxes and radio buttons,
// automatic or checked by their parent, and group boxes. A button clicks when the left button
// is released over it or Space is released while it has the focus, and tells its parent with
// BN_CLICKED.

#include "platform/controls/control.h"
#include "platform/controls/control_look.h"
#include "platform/controls/control_messages.h"
#include "platform/controls/control_styles.h"
#include "platform/controls/standard_controls.h"
#include "platform/gdi/window_dc.h"
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

constexpr int kMarkSize = 13; // the square of a check box, the circle of a radio button
constexpr int kLabelGap = 4;

class ButtonControl final : public Control {
public:
    ButtonControl(WindowHandle window, const CreateStruct& cs)
        : Control(window), kind_(cs.style & BS_TYPEMASK) {}

    LResult onCreate(const CreateStruct&) override {
        shapeGroupBox();
        return 0;
    }

    LResult handle(std::uint32_t message, WParam wParam, LParam lParam) override {
        switch (message) {
        case BM_GETCHECK:
            return static_cast<LResult>(checked_);
        case BM_SETCHECK:
            if (isCheckable() && checked_ != (wParam & BST_CHECKED)) {
                checked_ = wParam & BST_CHECKED;
                invalidate();
            }
            return 0;
        case BM_GETSTATE:
            return static_cast<LResult>(checked_ | (pushed_ ? BST_PUSHED : 0) | (focused_ ? BST_FOCUS : 0));
        case BM_SETSTATE:
            setPushed(wParam != 0);
            return 0;
        case BM_CLICK:
            if (windowIsEnabled(window()) && kind_ != BS_GROUPBOX)
                click();
            return 0;
        case WM_GETDLGCODE:
            return dialogCode();
        case WM_SETTEXT: {
            LResult result = byDefault(message, wParam, lParam);
            shapeGroupBox();
            invalidate();
            return result;
        }
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            focused_ = message == WM_SETFOCUS;
            if (!focused_ && spaceHeld_) {
                spaceHeld_ = false;
                setPushed(false);
            }
            invalidate();
            return 0;
        case WM_SIZE:
            shapeGroupBox();
            invalidate();
            return 0;
        case WM_ENABLE:
            invalidate();
            return 0;
        case WM_LBUTTONDOWN:
            onPress();
            return 0;
        case WM_MOUSEMOVE:
            if (tracking_)
                setPushed(windowGetClientRect(window()).contains(
                    {pointXFromLParam(lParam), pointYFromLParam(lParam)}));
            return 0;
        case WM_LBUTTONUP:
            onRelease();
            return 0;
        case WM_KEYDOWN:
            if (wParam == VK_SPACE && kind_ != BS_GROUPBOX && !(lParam & (1 << 30))) {
                spaceHeld_ = true;
                setPushed(true);
            }
            return 0;
        case WM_KEYUP:
            if (wParam == VK_SPACE && spaceHeld_) {
                spaceHeld_ = false;
                setPushed(false);
                click();
            }
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT:
            paint();
            return 0;
        default:
            return byDefault(message, wParam, lParam);
        }
    }

private:
    void fontChanged() override { shapeGroupBox(); }

    bool isPush() const { return kind_ == BS_PUSHBUTTON || kind_ == BS_DEFPUSHBUTTON; }
    bool isRadio() const { return kind_ == BS_RADIOBUTTON || kind_ == BS_AUTORADIOBUTTON; }
    bool isCheckable() const { return isRadio() || kind_ == BS_CHECKBOX || kind_ == BS_AUTOCHECKBOX; }

    LResult dialogCode() const {
        switch (kind_) {
        case BS_PUSHBUTTON:
            return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
        case BS_DEFPUSHBUTTON:
            return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
        case BS_RADIOBUTTON:
        case BS_AUTORADIOBUTTON:
            return DLGC_BUTTON | DLGC_RADIOBUTTON;
        case BS_GROUPBOX:
            return DLGC_STATIC;
        default:
            return DLGC_BUTTON;
        }
    }

    void setPushed(bool pushed) {
        if (pushed_ != pushed) {
            pushed_ = pushed;
            invalidate();
        }
    }

    void onPress() {
        if (kind_ == BS_GROUPBOX)
            return;
        if (!focused_)
            focusSet(window());
        tracking_ = true;
        captureSet(window());
        setPushed(true);
    }

    void onRelease() {
        if (!tracking_)
            return;
        tracking_ = false;
        if (captureGet() == window())
            captureRelease();
        bool over = pushed_;
        setPushed(false);
        if (over)
            click();
    }

    // What a click does: automatic buttons change their check, then the parent hears of it
    // (last, as it may destroy the button in answer).
    void click() {
        if (kind_ == BS_AUTOCHECKBOX) {
            checked_ ^= BST_CHECKED;
            invalidate();
        } else if (kind_ == BS_AUTORADIOBUTTON) {
            checkAloneInGroup();
        }
        notify(BN_CLICKED);
    }

    // The other radio buttons of the group (the siblings between two WS_GROUP marks) lose their check.
    void checkAloneInGroup() {
        std::vector<WindowHandle> siblings = windowGetChildren(windowGetParent(window()));
        auto self = std::find(siblings.begin(), siblings.end(), window());
        if (self == siblings.end())
            return;
        auto first = self;
        while (first != siblings.begin() && !(windowGetStyle(*first) & WS_GROUP))
            --first;
        for (auto it = first; it != siblings.end(); ++it) {
            if (it != first && (windowGetStyle(*it) & WS_GROUP))
                break;
            if (*it != window() && (messageSend(*it, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON))
                messageSend(*it, BM_SETCHECK, BST_UNCHECKED, 0);
        }
        if (!checked_) {
            checked_ = BST_CHECKED;
            invalidate();
        }
    }

    // A group box's window is only its frame and label: the fill reaches nothing inside.
    void paint() {
        ControlPaint paint(*this, isPush() ? WM_CTLCOLORBTN : WM_CTLCOLORSTATIC);
        DeviceContext& dc = paint.dc();
        if (!windowIsEnabled(window()))
            dc.setTextColor(look::kDimmed);
        std::string label = windowGetText(window());
        if (isPush())
            paintPush(dc, paint.client(), label);
        else if (kind_ == BS_GROUPBOX)
            paintGroup(dc, label);
        else
            paintMarked(dc, paint.client(), label);
    }

    void paintPush(DeviceContext& dc, const Rect& client, const std::string& label) const {
        ColorRef outline = focused_ ? look::kAmber : kind_ == BS_DEFPUSHBUTTON ? look::kLight : look::kDark;
        dc.fillRect(client, createSolidBrush(outline));
        Rect face = client.inflatedBy(-1, -1);
        dc.fillRect(face, createSolidBrush(look::kButtonFace));
        if (pushed_)
            look::sunkenEdge(dc, face);
        else
            look::raisedEdge(dc, face);
        Rect text = pushed_ ? face.offsetBy(1, 1) : face;
        dc.setBkMode(kTransparent);
        dc.drawText(label, text, kDtCenter | kDtVCenter | kDtSingleLine);
    }

    void paintMarked(DeviceContext& dc, const Rect& client, const std::string& label) const {
        int top = client.top + (client.height() - kMarkSize) / 2;
        Rect mark{client.left, top, client.left + kMarkSize, top + kMarkSize};
        ColorRef well = pushed_ ? look::kFace : look::kGlass;
        ColorRef ink = windowIsEnabled(window()) ? look::kAmber : look::kDimmed;
        if (isRadio()) {
            dc.selectPen(createPen(PenStyle::Solid, 1, look::kLight));
            dc.selectBrush(createSolidBrush(well));
            dc.ellipse(mark);
            if (checked_) {
                dc.selectPen(createPen(PenStyle::Solid, 1, ink));
                dc.selectBrush(createSolidBrush(ink));
                dc.ellipse(mark.inflatedBy(-4, -4));
            }
        } else {
            dc.fillRect(mark, createSolidBrush(well));
            look::sunkenEdge(dc, mark);
            if (checked_) {
                // A tick two pixels thick.
                dc.selectPen(createPen(PenStyle::Solid, 1, ink));
                for (int dy = 0; dy < 2; ++dy) {
                    dc.moveTo({mark.left + 3, mark.top + 6 + dy});
                    dc.lineTo({mark.left + 5, mark.top + 8 + dy});
                    dc.lineTo({mark.left + 10, mark.top + 3 + dy});
                }
            }
        }
        Rect text{mark.right + kLabelGap, client.top, client.right, client.bottom};
        Rect measured = text;
        dc.drawText(label, measured, kDtLeft | kDtSingleLine | kDtCalcRect);
        dc.setBkMode(kTransparent);
        dc.drawText(label, text, kDtLeft | kDtVCenter | kDtSingleLine);
        if (focused_) {
            int textTop = client.top + (client.height() - measured.height()) / 2;
            Rect around{text.left - 1, textTop - 1, std::min(text.left + measured.width() + 1, client.right),
                        std::min(textTop + measured.height() + 1, client.bottom)};
            look::focusFrame(dc, around, look::kAmber);
        }
    }

    // A group box is its frame and its label: where they are, in client coordinates.
    struct GroupParts {
        Rect frame;
        Rect label; // empty without a text
    };
    GroupParts groupParts() const {
        Rect client = windowGetClientRect(window());
        std::string label = windowGetText(window());
        auto measure = DeviceContext::createMemory();
        measure->selectFont(font());
        Rect text = client;
        measure->drawText(label.empty() ? " " : label, text, kDtLeft | kDtSingleLine | kDtCalcRect);
        GroupParts parts{{client.left, client.top + text.height() / 2, client.right, client.bottom}, {}};
        if (!label.empty())
            parts.label = {client.left + 8, client.top,
                           std::min(client.left + 12 + text.width(), client.right),
                           client.top + text.height()};
        return parts;
    }

    // The frame's inside belongs to the controls it holds: the box takes neither their pixels nor
    // their clicks, since only its frame and label are part of its shape.
    void shapeGroupBox() {
        if (kind_ != BS_GROUPBOX)
            return;
        GroupParts parts = groupParts();
        Region shape = Region(parts.frame).subtracted(Region(parts.frame.inflatedBy(-2, -2)));
        windowSetShape(window(), shape.united(Region(parts.label)), true);
    }

    void paintGroup(DeviceContext& dc, const std::string& label) const {
        GroupParts parts = groupParts();
        // The frame breaks for the label.
        dc.excludeClipRect(parts.label);
        look::bevel(dc, parts.frame, look::kDark, look::kLight);
        look::bevel(dc, parts.frame.inflatedBy(-1, -1), look::kLight, look::kDark);
        dc.selectClipRegion(nullptr);
        if (parts.label.isEmpty())
            return;
        Rect text = parts.label;
        text.left += 2;
        dc.setBkMode(kTransparent);
        dc.drawText(label, text, kDtLeft | kDtSingleLine);
    }

    std::uint32_t kind_;
    WParam checked_ = BST_UNCHECKED;
    bool pushed_ = false;
    bool focused_ = false;
    bool tracking_ = false;
    bool spaceHeld_ = false;
};

} // namespace

LResult buttonControlProc(WindowHandle window, std::uint32_t message, WParam wParam, LParam lParam) {
    return Control::procedure<ButtonControl>(window, message, wParam, lParam);
}

} // namespace q71
