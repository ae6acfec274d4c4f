#pragma once
// The launcher overview of the fire-control display: the twelve cells and four tubes as small
// button groups with their readiness, the buttons that open a launcher's settings or a tube's
// guidance view (handled by the display), and the display's contact selector, from which the
// operator assigns a contact to a tube.

#include "platform/window/window_types.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace q71 {

class DeviceContext;
class FirePanel;
class SimpleButton;
class StaticText;
class SuperListBox;

class TubeSelectPanel {
public:
    /// Hidden, cells from (x, y); `firePanel` assigns targets and tells readiness; `selector` is
    /// the display's contact selector (item data: a contact's shown number, -1 for none).
    TubeSelectPanel(WindowHandle page, int x, int y, FirePanel& firePanel, SuperListBox& selector);
    ~TubeSelectPanel();

    void show();
    void hide();
    /// Labels from the launchers, then the images.
    void loadResources();
    void freeResources();
    void paint(DeviceContext& dc);
    /// The operator chose an entry of the selector.
    void onContactSelected();
    /// The tube buttons (1400-1403) while shown: assign the chosen contact or clear the target.
    /// The other buttons are the display's; always 0.
    int onCommand(int id, int notification);
    /// Labels and buttons from the launchers; the tube buttons take clicks only with `enableTubes`.
    void refresh(bool enableTubes);

    bool shown() const { return shown_; }
    const StaticText& cellLabel(int i) const { return *cellLabels_.at(static_cast<std::size_t>(i)); }
    const StaticText& tubeLabel(int i) const { return *tubeLabels_.at(static_cast<std::size_t>(i)); }
    SimpleButton& tubeButton(int i) const { return *tubeButtons_.at(static_cast<std::size_t>(i)); }
    /// Every label on show.
    std::vector<const StaticText*> shownLabels() const;

private:
    std::vector<std::unique_ptr<SimpleButton>> buttons_; // every button, for show and hide
    std::vector<SimpleButton*> cellButtons_;
    std::vector<SimpleButton*> tubeButtons_;
    std::vector<std::unique_ptr<StaticText>> cellLabels_;
    std::vector<std::unique_ptr<StaticText>> tubeLabels_;
    std::unique_ptr<StaticText> title_;
    FirePanel& firePanel_;
    SuperListBox* selector_;
    bool shown_ = false;
};

} // namespace q71
