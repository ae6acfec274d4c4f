#pragma once
// What every page of the sonar suite is built on: widgets made from constant row tables, the
// row of five page buttons (the same on every page), hot spots over the labels of the
// background, and the opening and closing every page does alike. A page passes the page
// buttons' commands (0 to 4) up to the suite.

#include "framework/app/page_screen.h"
#include "framework/widgets/button_group.h"
#include "platform/geometry/rect.h"
#include "tactical/sonar/sonar_state.h"

#include <memory>
#include <span>
#include <string>
#include <vector>

namespace q71 {

class BaseWidget;
class ButtonToggle;
class HotSpot;
class ReadOut;
class SimpleButton;

/// One widget of a page's table.
struct SonarWidgetRow {
    int x, y, width, height, frames;
    bool windowed;
    int id;
    const char* bitmap;
    int toolTip; ///< text id, -1 none
    const char* sound;
};

/// A hot spot over a label of a page's background.
struct SonarHotSpotRow {
    Rect rect;
    int text;
};

/// The five page buttons of every page, by page index.
inline constexpr SonarWidgetRow kSonarPageButtons[] = {
    {347, 8, 36, 40, 2, true, 0, "X347Y008.bmp", 427, "winsel.WAV"},
    {383, 8, 33, 40, 2, true, 1, "X383Y008.bmp", 547, "winsel.WAV"},
    {417, 8, 32, 40, 2, true, 2, "X417Y008.bmp", 437, "winsel.WAV"},
    {450, 8, 33, 40, 2, true, 3, "X450Y008.bmp", 432, "winsel.WAV"},
    {484, 8, 34, 40, 2, true, 4, "X484Y008.bmp", 447, "winsel.WAV"},
};

/// The group of the shared strips (readout digits).
inline constexpr const char* kSonarSharedGroup = "shared";
/// The text of a missing group or bitmap.
inline constexpr int kSonarMissingText = 606;
/// The sound of the knobs' clicks.
inline constexpr const char* kSonarKnobSound = "dialsnd.WAV";

/// What a page is: its key, its group, the background in it and its name in fatal reports.
struct SonarPageArt {
    const char* key;
    const char* group;
    const char* background;
    const char* source;
};

class SonarPageScreen : public PageScreen {
public:
    /// A page of the suite (540 by 420 at 0, 0) with its page buttons and hot spots.
    SonarPageScreen(const SonarPageArt& art, WindowHandle suite, std::span<const SonarHotSpotRow> hotSpots);
    ~SonarPageScreen() override;

    /// Loads the group, the background and every widget, then the readouts from the shared
    /// group; then the page's own opening and the page button of the current page.
    void open() override;
    /// Frees the background and every widget's resources, then the page's own closing.
    void close() override;
    /// Page buttons go up to the suite (0); the rest to pageCommand.
    int onCommand(WParam wParam, LParam lParam) override;
    /// The background, then the contact label.
    void paint(DeviceContext& dc) override;

    /// The contact label on show.
    const std::string& label() const { return label_; }

protected:
    /// The page's own commands (ids above 4); the value is the widget's.
    virtual int pageCommand(int id, int value) = 0;
    /// What the page does after the common opening.
    virtual void openPage() {}
    /// What the page does before the common closing.
    virtual void closePage() {}

    /// Makes a simple button of a row (windowless unless the row says otherwise), owned by the page.
    SimpleButton& addButton(const SonarWidgetRow& row, int kind);
    /// Makes a two-state switch of a row, owned by the page.
    ButtonToggle& addToggle(const SonarWidgetRow& row);
    /// Takes a widget into the page; it is loaded and freed with the page.
    template <class W> W& add(std::unique_ptr<W> widget) {
        W& held = *widget;
        widgets_.push_back(std::move(widget));
        return held;
    }
    /// Takes a readout; it is loaded from the shared group.
    ReadOut& addReadOut(std::unique_ptr<ReadOut> readout);
    /// Shows a contact label centred on x at y (an empty one clears the rectangle given).
    void showLabel(const std::string& label);
    /// Where the page draws its label: centred on x at y; `clear` is emptied first (may be empty).
    void placeLabel(int x, int y, const Rect& clear) {
        labelX_ = x;
        labelY_ = y;
        labelClear_ = clear;
    }
    /// Gives a widget its click sound and, when pop-up texts are on, its tool tip.
    static void dress(BaseWidget& widget, const SonarWidgetRow& row);

    ButtonGroup pageButtons_{kSonarPageCount};

private:
    [[noreturn]] void missing() const;

    void drawLabel(DeviceContext& dc) const;

    SonarPageArt art_;
    std::string label_;
    int labelX_ = 0, labelY_ = 0;
    Rect labelClear_;
    std::vector<std::unique_ptr<BaseWidget>> widgets_;
    std::vector<std::unique_ptr<ReadOut>> readOuts_;
    std::vector<std::unique_ptr<HotSpot>> hotSpots_;
};

} // namespace q71
