// A combo box's list going down and coming up, and the painting of the box: the field, framed,
// showing the chosen item when there is no edit field, and the arrow button.

#include "platform/controls/combo_box_control.h"
#include "platform/controls/control_look.h"
#include "platform/controls/control_messages.h"
#include "platform/controls/owner_draw.h"
#include "platform/display/screen_surface.h"
#include "platform/gdi/window_dc.h"
#include "platform/window/focus.h"
#include "platform/window/message_queue.h"
#include "platform/window/window.h"
#include "platform/window/window_layout.h"
#include "platform/window/window_styles.h"

#include <algorithm>
#include <string>

namespace q71 {

void ComboBoxControl::dropDown() {
    if (dropped_ || !windowIsVisible(window()) || !windowIsEnabled(window()))
        return;
    // The list opens on the chosen item (or the one the typed text names), as high as its items
    // (or the rows asked to be visible) need up to the height asked for the box at creation,
    // below the box or, where the screen ends, above it.
    if (edit_ != WindowHandle{} && selection_ < 0) {
        std::string typed = windowGetText(edit_);
        LResult named = messageSend(list_, LB_FINDSTRINGEXACT, static_cast<WParam>(-1),
                                    reinterpret_cast<LParam>(typed.c_str()));
        if (named >= 0)
            selection_ = static_cast<int>(named);
    }
    Rect box = windowGetRect(window());
    int count = static_cast<int>(messageSend(list_, LB_GETCOUNT, 0, 0));
    int room = std::max(dropHeight_ - box.height(), 1);
    int needed = 0;
    for (int i = 0; i < count && needed < room; ++i)
        needed += static_cast<int>(messageSend(list_, LB_GETITEMHEIGHT, static_cast<WParam>(i), 0));
    if (count == 0)
        needed = static_cast<int>(messageSend(list_, LB_GETITEMHEIGHT, 0, 0));
    needed = std::max(needed, minVisible_ * static_cast<int>(messageSend(list_, LB_GETITEMHEIGHT, 0, 0)));
    int height = std::min(needed, room) + 2; // and its border
    int y = box.bottom;
    if (y + height > ScreenSurface::kHeight && box.top - height >= 0)
        y = box.top - height;
    windowSetPos(list_, HWND_TOP, box.left, y, box.width(), height, SWP_NOACTIVATE | SWP_SHOWWINDOW);
    messageSend(list_, LB_SETCURSEL, static_cast<WParam>(selection_), 0);
    dropped_ = true;
    captureSet(list_);
    invalidate();
}

void ComboBoxControl::closeUp(bool accept) {
    if (!dropped_)
        return;
    dropped_ = false;
    if (captureGet() == list_)
        captureRelease();
    windowShow(list_, SW_HIDE);
    if (accept)
        choose(static_cast<int>(messageSend(list_, LB_GETCURSEL, 0, 0)));
    // What the pointer highlighted without being chosen is forgotten.
    messageSend(list_, LB_SETCURSEL, static_cast<WParam>(selection_), 0);
    invalidate();
    notify(CBN_CLOSEUP);
}

void ComboBoxControl::paint() {
    ControlPaint paint(*this, edit_ != WindowHandle{} ? WM_CTLCOLOREDIT : WM_CTLCOLORLISTBOX);
    DeviceContext& dc = paint.dc();
    bool enabled = windowIsEnabled(window());
    look::sunkenEdge(dc, paint.client());
    Rect field = fieldRect();
    if (edit_ == WindowHandle{} && selection_ >= 0) {
        std::uint32_t state =
            ODS_COMBOBOXEDIT | (focused_ ? ODS_SELECTED | ODS_FOCUS : 0) | (enabled ? 0 : ODS_DISABLED);
        if (ownerDrawn()) {
            DrawItemStruct item{ODT_COMBOBOX,
                                static_cast<std::uint32_t>(windowGetId(window())),
                                selection_,
                                ODA_DRAWENTIRE,
                                state,
                                window(),
                                &dc,
                                field,
                                messageSend(list_, LB_GETITEMDATA, static_cast<WParam>(selection_), 0)};
            dc.intersectClipRect(field);
            messageSend(window(), WM_DRAWITEM, windowGetId(window()), reinterpret_cast<LParam>(&item));
            dc.selectClipRegion(nullptr);
        } else {
            ColorRef ink = !enabled ? look::kDimmed : focused_ ? look::kGlass : dc.textColor();
            if (focused_ && enabled)
                dc.fillRect(field, createSolidBrush(look::kAmber));
            dc.setBkMode(kTransparent);
            dc.setTextColor(ink);
            dc.textOut({field.left + 1, field.top + (field.height() - font()->metrics().height) / 2},
                       itemText(selection_));
        }
    }
    Rect button = buttonRect();
    dc.fillRect(button, createSolidBrush(look::kButtonFace));
    if (dropped_)
        look::sunkenEdge(dc, button);
    else
        look::raisedEdge(dc, button);
    int cx = (button.left + button.right) / 2 + (dropped_ ? 1 : 0),
        cy = (button.top + button.bottom) / 2 + (dropped_ ? 1 : 0);
    Point arrow[3] = {{cx - 4, cy - 2}, {cx + 4, cy - 2}, {cx, cy + 2}};
    ColorRef ink = enabled ? look::kLabel : look::kDimmed;
    dc.selectPen(createPen(PenStyle::Solid, 1, ink));
    dc.selectBrush(createSolidBrush(ink));
    dc.polygon(arrow);
}

} // namespace q71
