#pragma once
// The load-out page ("LoadOut") of the fire-control station: lamps for the cells, tubes and the
// torpedo room's rack, the totals by weapon, and a hatched page with a notice while weapons are
// unlimited. It only shows; its one button goes back to the fire panel.

#include "stations/firectrl/load_out.h"
#include "stations/nav/nav_page.h"

#include <array>
#include <memory>

namespace q71 {

class StateButton;
class StaticText;

class LoadOutScreen : public NavPage {
public:
    explicit LoadOutScreen(WindowHandle screen);
    ~LoadOutScreen() override;

    /// The base paint, the totals, and the hatching while weapons are unlimited.
    void paint(DeviceContext& dc) override;

    /// Sets every lamp and total from the launchers and the own boat.
    void refresh();
    /// Shows or hides the unlimited-weapons notice.
    void showUnlimited(bool on);

    const LoadOutPicture& picture() const { return picture_; }
    /// A lamp of the torpedo room's rack (0 to 19).
    StateButton& rackLamp(std::size_t i) const { return *rackLamps_.at(i); }
    bool unlimitedShown() const { return unlimitedShown_; }

private:
    int pageCommand(int id, int value) override;
    void openPage() override;
    StateButton& addLamp(int id, int x, int y);

    std::array<StateButton*, 12> cellLamps_{};
    std::array<StateButton*, kLoadOutRackLamps> rackLamps_{};
    std::array<StateButton*, 4> tubeLamps_{};
    std::array<std::unique_ptr<StaticText>, 6> totals_;
    std::unique_ptr<StaticText> unlimited_;
    LoadOutPicture picture_;
    bool unlimitedShown_ = false;
};

} // namespace q71
