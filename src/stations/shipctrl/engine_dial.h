#pragma once
// The engine telegraph: the ordered bell (the player's handle) and the engine room's answering
// pointer, which follows one position every 150 ms and rings when it has caught up.

#include "stations/shipctrl/course_dial.h"

namespace q71 {

class EngineDial : public CourseDial {
public:
    static constexpr std::uintptr_t kAnswerTimer = 1000;
    static constexpr std::uint32_t kFirstDelay = 300;
    static constexpr std::uint32_t kStepDelay = 150;

    EngineDial(WindowHandle parent, int id, int x, int y, int width, int height);

    void loadResources() override;
    void freeResources() override;
    void onLeftDown(int x, int y) override;
    void onTimer(std::uintptr_t id) override;

    /// Follows the boat's bell (the station's speed reply); at open both pointers take it.
    void synchronise(double bell, bool opening);
    int orderedPosition() const { return orderedPosition_; }
    int answeringPosition() const { return answeringPosition_; }

private:
    void order(int position);

    int orderedPosition_ = 4;
    int answeringPosition_ = 4;
};

} // namespace q71
