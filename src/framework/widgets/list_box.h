#pragma once
// A list of items drawn by the program inside a widget window: each item has a text, an optional
// small bitmap and, with the check column, a check box. The items are records owned by the
// widget and kept as the item data of a standard list control, which reports selections and
// double clicks; the widget passes them on to its parent window unchanged.

#include "framework/widgets/base_widget.h"
#include "framework/widgets/widget_bitmap.h"
#include "platform/gdi/pen_brush.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace q71 {

struct DrawItemStruct;

class ListBox : public BaseWidget {
public:
    /// How an item's bitmap stands in the item's height.
    enum BitmapAlign : int { kBitmapCentred = 0, kBitmapTop = 1, kBitmapBottom = 2 };

    /// A list of the widget's size in `parentWindow`, reporting with `controlId`. Its background
    /// repeats `pattern` (white without one); a null font is the system font.
    ListBox(WindowHandle parentWindow, int controlId, int x, int y, int width, int height,
            std::shared_ptr<Bitmap> pattern, std::shared_ptr<const Font> font, bool itemsHaveBitmaps,
            bool highlightSelection, bool checkColumn);

    /// Adds an item at the end ("" bitmap: none); returns its index, or -1.
    int addItem(std::string_view text, std::string_view bitmapName, bool checked, int textOffset,
                int bitmapAlign, std::uint32_t value);
    /// Removes an item; the scroll width follows the widest item left.
    void deleteItem(int index);
    /// The selected item's text into `text`; 0 (and `text` untouched) when nothing is selected.
    int getSelectedText(std::string& text) const;
    /// An item's value, 0 when there is no such item.
    std::uint32_t getItemValue(int index) const;
    /// The selected index, or -1.
    int getCurSel() const;
    /// Selects an item and tells the parent as if the user had chosen it.
    void setCurSel(int index);
    /// Removes every item.
    void clear();
    /// Loads the items' bitmaps (items get at least as high as the tallest).
    void loadResources() override;
    void freeResources() override;

    /// The widget's messages from its list (drawing, measuring, deleting items, colours).
    LResult dispatch(std::uint32_t message, WParam wParam, LParam lParam) override;
    /// The pointer over the widget gives the list the focus (and its keys).
    void onSetCursor() override;
    /// Selections and double clicks of the list go to the parent unchanged.
    int onCommand(WParam wParam, LParam lParam) override;

    WindowHandle listWindow() const { return list_; }
    int itemHeight() const { return itemHeight_; }
    int count() const;

private:
    struct Item {
        std::string bitmapName;
        WidgetBitmap bitmap;
        std::string text;
        int textOffset = 0;
        int bitmapAlign = kBitmapCentred;
        bool checked = false;
        std::uint32_t value = 0;
    };

    /// The record of an item, or null.
    Item* itemAt(int index) const;
    /// Loads one item's bitmap the way the archive switch says; true when it is loaded.
    bool loadBitmap(Item& item);
    void growItemHeight(const Item& item);
    /// The scroll width an item needs.
    int extentOf(const Item& item) const;
    void drawItem(const DrawItemStruct& draw);
    void forgetItem(LParam data);

    WindowHandle list_{};
    Brush background_;
    std::shared_ptr<const Font> font_;
    std::vector<std::unique_ptr<Item>> items_; // in no order: the list keeps the order
    bool itemsHaveBitmaps_;
    bool highlightSelection_;
    bool checkColumn_;
    bool resourcesLoaded_ = false;
    int itemHeight_ = 1;
    ColorRef textColour_ = 0;
    ColorRef selectedTextColour_ = 0xFFFFFF;
};

} // namespace q71
