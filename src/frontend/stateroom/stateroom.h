#pragma once
// The state room (station 11 of the host, "stateroom"): the mission's name and clock, the "safe"
// page with its two toggles that save the running mission and load the saved one of its kind
// (saved_mission_file.h), the options, and the end of the mission for the debriefing. Once the
// own boat is lost the save toggle stays off.

#include "framework/app/sub_screen.h"

#include <memory>

namespace q71 {

class SimpleButton;

class Stateroom : public SubScreen {
public:
    Stateroom(std::string_view key, WindowHandle parent, int width, int height, int x, int y);
    ~Stateroom() override;

    void open() override;
    void close() override;
    /// Redraws the clock when its second changes.
    void update() override;
    void paint(DeviceContext& dc) override;
    int onCommand(WParam wParam, LParam lParam) override;

    /// The save toggle goes off for the rest of the mission (the loss of the own boat).
    void lockSave();
    bool canSave() const;
    bool canLoad() const;

private:
    /// Enables the toggles by what the mission allows now.
    void refreshToggles();
    void say(int text);

    std::unique_ptr<SimpleButton> save_;
    std::unique_ptr<SimpleButton> load_;
    std::unique_ptr<SimpleButton> options_;
    std::unique_ptr<SimpleButton> end_;
    long shownSecond_ = -1;
    int saidText_ = 0;
    bool saveLocked_ = false;
};

/// Registers the state room for station slot 11.
void stateroomRegister();
/// The host's loss hook: the state room of the running host, when built, locks its save toggle.
void stateroomLockSafe();

} // namespace q71
