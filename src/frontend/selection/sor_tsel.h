#pragma once
// Mission and campaign selection: the missions of a mode (1 tutorials, 2 single missions, 3 the
// campaign's missions by leg) with their descriptions, the chosen one's briefing and the
// player's score and grade, and the start of the chosen mission. A campaign starts its next
// mission; a mission already played starts again only after the player agrees that the scores
// from it on are cleared; later ones wait. A scenario that cannot be started is said in a box
// and the screen stays. The player's save of the mode, when there is one, can be resumed.

#include "frontend/front_end_screen.h"
#include "frontend/glass_list.h"
#include "frontend/selection/mission_catalogue.h"

#include <memory>
#include <vector>

namespace q71 {

class SimpleButton;

class SorTsel : public FrontEndScreen {
public:
    /// The screen of a mode: "missionSelection" for modes 1 and 2, "campaignSelection" for 3.
    SorTsel(WindowHandle parent, std::int32_t mode);
    ~SorTsel() override;

    void open() override;
    void close() override;
    void paint(DeviceContext& dc) override;
    int onCommand(WParam wParam, LParam lParam) override;
    /// The arrows move through the list; Enter starts; Esc goes back to the main menu.
    int onKey(int key, int category) override;

    /// Starts the selected mission; false when it did not start (not open yet, declined, refused).
    bool startSelected();
    /// Loads the player's save of this mode and runs it; false when there is none or it is refused.
    bool resumeSaved();
    /// Back to the main menu; this screen goes once it is left.
    void leave();

    std::int32_t mode() const { return mode_; }
    const std::vector<MissionListing>& missions() const { return missions_; }
    GlassList* list() const { return list_.get(); }
    /// The button that starts the selected mission; null while the screen is closed.
    SimpleButton* startButton() const { return start_.get(); }
    /// The mission the campaign plays next (its index); -1 outside a campaign.
    std::int32_t campaignNext() const;
    /// What the record line shows for the selected mission.
    std::string recordLine() const;

private:
    /// A campaign mission after the next one to play, which waits until those before it are won.
    bool locked(const MissionListing& mission) const;
    const MissionListing* selectedMission() const;
    void showSelection();
    bool confirmReplay();

    std::int32_t mode_;
    std::int32_t set_ = 0;
    std::vector<MissionListing> missions_;
    std::string briefing_;
    bool starting_ = false;
    std::unique_ptr<GlassList> list_;
    std::unique_ptr<SimpleButton> start_;
    std::unique_ptr<SimpleButton> resume_;
    std::unique_ptr<SimpleButton> back_;
};

} // namespace q71
