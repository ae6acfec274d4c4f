#pragma once
// The combo box control inside: a field (an edit child with CBS_DROPDOWN, the selected item
// drawn in place with CBS_DROPDOWNLIST) with an arrow button, over a list of the class
// "ComboLBox" that drops down as an owned popup above every other window. Owner-draw, colour and
// delete messages of the parts pass through the combo box's own procedure on their way to its
// parent, so a procedure chained in front of it (a subclass) sees and may answer them.

#include "platform/controls/control.h"

#include <string>

namespace q71 {

class ComboBoxControl final : public Control {
public:
    ComboBoxControl(WindowHandle window, const CreateStruct& cs);
    LResult handle(std::uint32_t message, WParam wParam, LParam lParam) override;

private:
    LResult onCreate(const CreateStruct& cs) override;
    void fontChanged() override;

    bool ownerDrawn() const;
    bool hasStrings() const;
    int measure(int itemId);
    void measureHeights();
    void placeParts();
    Rect buttonRect() const;
    Rect fieldRect() const;

    // The list and the selection (combo_box_control.cpp).
    LResult forwardToList(std::uint32_t message, WParam wParam, LParam lParam) const;
    LResult deleteItem(int index);
    LResult setSelection(int index);
    void choose(int index);
    std::string itemText(int index) const;
    void showSelectionText();
    LResult setText(LParam text);
    LResult copyText(WParam capacity, LParam buffer) const;
    LResult onCommand(WParam wParam, LParam lParam);
    /// A key for the box or its list; false leaves it to the default procedure.
    bool onKeyDown(std::uint32_t message, WParam key, LParam lParam);
    void onPress(Point at);

    // Dropping down and closing up (combo_box_drop.cpp).
    void dropDown();
    void closeUp(bool accept);

    // Painting (combo_box_drop.cpp).
    void paint();

    std::uint32_t style_;
    WindowHandle edit_{};
    WindowHandle list_{};
    int dropHeight_; // the height asked at creation: the box with its list down
    int fieldHeight_ = 0;
    int minVisible_ = 0; // rows the dropped list is at least as high as (within its height)
    int selection_ = -1; // the chosen item (the list's own selection follows the pointer while down)
    bool dropped_ = false;
    bool focused_ = false;
    bool forwardingKey_ = false; // a key moves the list's selection: choose without closing
    bool settingText_ = false;   // the field's text is set by the box, not typed
};

} // namespace q71
