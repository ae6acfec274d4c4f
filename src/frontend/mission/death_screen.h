#pragma once
// The loss of the own boat: why it was lost; a click (or a dismiss key) goes on to the debriefing.

#include "frontend/mission/end_of_mission_screen.h"

namespace q71 {

class DeathScreen : public EndOfMissionScreen {
public:
    explicit DeathScreen(WindowHandle parent);

    /// The loss cause of the mission in words.
    std::string body() const override;
    /// The words of a loss cause (1 to 6); a general line for any other.
    static std::string causeText(int cause);

protected:
    bool skip() override;
};

} // namespace q71
