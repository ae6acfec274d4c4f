#pragma once
// The guidance view of a tube on the fire-control display: the tube, its target, whether the wire
// still carries orders, the torpedo's commanded course, buttons that steer it 5 degrees left or
// right, arm or disarm its seeker, and shut it down. It keeps no guidance state: everything is
// read from the torpedo each time.

#include "platform/window/window_types.h"

#include <memory>
#include <vector>

namespace q71 {

class DeviceContext;
class SimpleButton;
class StaticText;
class TorpedoTube;

class WirePanel {
public:
    /// Hidden, at (x, y) of the display page.
    WirePanel(WindowHandle page, int x, int y);
    ~WirePanel();

    /// Shows the guidance view of tube `index` (0-3) of the launcher tables.
    void showTube(int index);
    void hide();
    /// The readout of the torpedo's course; unchanged once the torpedo is gone.
    void updateCourse();
    /// Its own buttons' commands while shown: 1 when they were its own and the wire holds, else 0.
    int onCommand(int id, int notification);
    void paint(DeviceContext& dc);
    void loadResources();
    void freeResources();

    bool shown() const { return shown_; }
    const StaticText& status() const { return *status_; }
    const StaticText& course() const { return *course_; }
    const StaticText& title() const { return *title_; }
    /// Every label on show.
    std::vector<const StaticText*> shownLabels() const;

private:
    std::vector<std::unique_ptr<SimpleButton>> buttons_;
    std::unique_ptr<StaticText> title_;
    std::vector<std::unique_ptr<StaticText>> captions_;
    std::unique_ptr<StaticText> target_;
    std::unique_ptr<StaticText> status_;
    std::unique_ptr<StaticText> course_;
    TorpedoTube* tube_ = nullptr;
    bool shown_ = false;
};

} // namespace q71
