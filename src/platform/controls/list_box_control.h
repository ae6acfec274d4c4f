#pragma once
// The list box control inside: items of one height or of their own (owner-drawn by the parent,
// or texts it draws itself), one selection, scroll bars drawn in its client area, mouse, wheel
// and keyboard selection. The same control, of the class "ComboLBox", is the drop-down list of
// a combo box: then it reports to the combo box, draws its items as the combo box's, follows
// the pointer while it holds the capture and never takes the focus.

#include "platform/controls/control.h"
#include "platform/controls/list_items.h"
#include "platform/controls/scroll_bar.h"

#include <optional>

namespace q71 {

class ListBoxControl final : public Control {
public:
    ListBoxControl(WindowHandle window, const CreateStruct& cs);
    LResult handle(std::uint32_t message, WParam wParam, LParam lParam) override;

private:
    static constexpr std::uintptr_t kRepeatTimer = 0x5C011;

    LResult onCreate(const CreateStruct& cs) override;
    void fontChanged() override;

    bool ownerDrawn() const;
    bool hasStrings() const;
    std::uint32_t controlType() const;
    std::uint32_t reportedId() const;
    WindowHandle reportedControl() const;

    // Items (list_box_control.cpp).
    LResult addItem(LParam value);
    LResult deleteItem(int index);
    void resetContent();
    void sendDeleteItem(int index);
    int measureItem(int index, LParam data);
    void measureFixedHeight();
    LResult copyItemText(int index, LParam buffer) const;
    LResult setItemHeight(int index, int height);
    LResult itemRect(int index, LParam out);

    // Scrolling and selection.
    void layout();
    int viewHeight() const { return view_.height(); }
    void scrollVertically(int code, int position);
    void scrollHorizontally(int code, int position);
    void selectByUser(int index);
    void onKeyDown(std::uint32_t key);
    void onWheel(int delta);

    // The mouse (list_box_mouse.cpp).
    void onButtonDown(Point at, bool doubleClick);
    void onMouseMove(Point at);
    void onButtonUp(Point at);
    ScrollBar* barAt(Point at);
    void applyScroll(const ScrollBar& bar, const std::optional<ScrollRequest>& request);
    void onRepeatTimer();
    int itemUnder(Point at, bool clampToView);

    // Painting (list_box_paint.cpp).
    void paint();
    void paintItem(DeviceContext& dc, int index, const Rect& rect, ColorRef ink);

    std::uint32_t style_;
    WindowHandle combo_;
    ListItems items_;
    ScrollBar vertical_{true};
    ScrollBar horizontal_{false};
    Rect view_;       // where items show, in client coordinates
    int extent_ = 0;  // the width items may scroll over
    int offsetX_ = 0; // how far they are scrolled sideways
    int wheelRest_ = 0;
    bool focused_ = false;
    bool tracking_ = false; // the button went down on the items
    ScrollBar* pressedBar_ = nullptr;
};

} // namespace q71
