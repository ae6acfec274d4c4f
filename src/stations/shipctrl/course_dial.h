#pragma once
// The course dial: the boat's heading on a compass face and the ordered course as a wedge on the
// rim. A click orders the course it points at at once; the arrow keys step the order a degree and
// commit it 1500 ms after the last step.

#include "stations/shipctrl/ship_ctrl_dial.h"

namespace q71 {

class CourseDial : public ShipCtrlRWDial {
public:
    static constexpr std::uintptr_t kCommitTimer = 2000;
    static constexpr std::uint32_t kCommitDelay = 1500;

    CourseDial(WindowHandle parent, int id, int x, int y, int width, int height, std::string background,
               std::string actualModel, std::string orderedModel);
    ~CourseDial() override;

    void loadResources() override;
    void freeResources() override;
    void onLeftDown(int x, int y) override;
    void onTimer(std::uintptr_t id) override;
    /// The actual value (degrees) the pointer shows.
    int getState() override;

    void setActual(double value);
    void setOrdered(double value);
    double ordered() const { return ordered_; }
    /// Steps the ordered course by `degrees` and (re)starts the commit timer.
    void stepOrdered(int degrees);
    const DialPointer& orderedPointer() const { return orderedPointer_; }

protected:
    void placePointers() override;

    DialPointer orderedPointer_;

private:
    std::string orderedModel_;
    double ordered_ = 0.0;
};

} // namespace q71
