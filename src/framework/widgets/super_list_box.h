#pragma once
// A combo box in the screens' colours: a standard "COMBOBOX" of the superclass "SuperListBox"
// inside a widget window, its items and field drawn by the widget, with a bitmap button that
// drops the list down. A drop-down list style becomes a drop-down whose field takes no typing
// and opens the list when clicked, as the button does.
// Choices and edits reach the parent window as WM_COMMAND (id, code), with the box in lParam.

#include "framework/widgets/base_widget.h"
#include "platform/gdi/pen_brush.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace q71 {

class SimpleButton;
struct DrawItemStruct;

class SuperListBox : public BaseWidget {
public:
    /// A box `width` wide in `parentWindow` (20 pixels high, 13 when small), its list
    /// `dropHeight` high; `style` holds the combo box style bits (CBS_DROPDOWN or
    /// CBS_DROPDOWNLIST, ...). The background repeats `pattern` (black without one); a null font
    /// is the system font. Drop-down styles get the button, three frames of `buttonBitmap`.
    SuperListBox(WindowHandle parentWindow, int controlId, std::uint32_t style, int x, int y, int width,
                 int dropHeight, std::shared_ptr<Bitmap> pattern, std::shared_ptr<const Font> font,
                 std::string_view buttonBitmap, int buttonWidth, int buttonHeight, bool bevel, bool small);
    ~SuperListBox() override;

    /// Adds an item at the end; returns its index, or -1.
    int addString(std::string_view text);
    /// Removes an item and repaints.
    void deleteString(int index);
    /// Removes the first item of exactly this text; true when there was one.
    bool removeString(std::string_view text);
    /// The index of the first item of exactly this text, or -1.
    int findStringExact(std::string_view text) const;
    void resetContent();
    /// The text of the field.
    std::string getText() const;
    void setText(std::string_view text);
    void setCurSel(int index);
    int getCurSel() const;
    int getCount() const;
    void setItemData(int index, LParam value);
    LParam getItemData(int index) const;
    std::string getItemText(int index) const;
    /// The first index at or after `start` whose data is `value`; -1 when none.
    int findItemData(LParam value, int start) const;
    void setTextColour(ColorRef colour);
    /// Lines of this colour frame the items and the box (0: none).
    void setFrameColour(ColorRef colour);
    /// Enter and Tab in the field go to the widget window instead.
    void setForwardEnterTab(bool forward) { forwardEnterTab_ = forward; }
    void loadResources() override;
    void freeResources() override;

    /// Fills the widget with the background.
    void paint(PaintRecord& paint) override;
    /// The pointer over the widget gives the box the focus.
    void onSetCursor() override;
    /// The box's choices and edits go on to the parent.
    int onCommand(WParam wParam, LParam lParam) override;
    void onDestroy() override;

    WindowHandle comboWindow() const { return combo_; }
    WindowHandle editWindow() const { return edit_; }
    SimpleButton* dropButton() const { return dropButton_; }

private:
    static LResult comboProc(WindowHandle window, std::uint32_t message, WParam wParam, LParam lParam);
    static LResult editProc(WindowHandle window, std::uint32_t message, WParam wParam, LParam lParam);
    LResult comboMessage(std::uint32_t message, WParam wParam, LParam lParam);
    LResult editMessage(std::uint32_t message, WParam wParam, LParam lParam);
    void createCombo(std::uint32_t style, int dropHeight);
    void paintCombo();
    void drawItem(const DrawItemStruct& draw);
    LResult colourField(WParam wParam);
    void releaseButton();
    /// Presses the drop button, which drops the list.
    void pressDropButton();
    /// Gives the box and its field their own procedures back.
    void releaseCombo();

    WindowHandle combo_{};
    WindowProc systemComboProc_ = nullptr;
    WindowHandle edit_{};
    WindowProc systemEditProc_ = nullptr;
    SimpleButton* dropButton_ = nullptr; // a child window of the widget's, gone with it
    std::shared_ptr<const Font> font_;
    Brush background_;
    std::string buttonBitmap_;
    int buttonWidth_;
    int buttonHeight_;
    ColorRef textColour_ = 0;
    ColorRef selectedTextColour_ = 0xFFFFFF;
    ColorRef frameColour_ = 0;
    bool bevel_;
    int itemHeight_ = 1;
    bool small_;
    bool dropList_ = false;
    bool forwardEnterTab_ = false;
};

} // namespace q71
