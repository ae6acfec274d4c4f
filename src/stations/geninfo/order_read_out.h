#pragma once
// The host's three order readouts (speed, course, depth): they show the boat's actual value until
// the player counts a digit, then the order being typed, and after the commit the standing order
// while the boat has not reached it (blank once it has).

#include "framework/widgets/read_out_strips.h"

namespace q71 {

/// What a readout shows for an actual value A and an ordered value O (both whole numbers).
struct ReadOutShown {
    enum Kind { kValue, kBlank, kLeave } kind;
    int value = 0;
};
ReadOutShown orderReadOutShows(int actual, int ordered, bool orderMode, bool pending);

/// A value as the readouts show it: value + 0.5, truncated.
int readOutWhole(double value);
/// A course in whole degrees, 0 to 359.
int readOutCourse(double degrees);
/// The depth in feet the stations show for a vertical coordinate (metres, negative below the surface).
int depthFeetOf(double z);
/// The vertical coordinate an order of f feet asks for (28 feet is the surface).
double verticalOfDepthFeet(double feet);

class OrderReadOut : public SmallReadOut {
public:
    OrderReadOut(WindowHandle parentWindow, int controlId, int x, int y, int digitCount);

    /// The commit: sends the typed value (or blanks the digits); the order is no longer pending.
    void onTick() override;
    /// The first edit switches the digits to their unlit look and the readout to order mode.
    void onLeftDown(int x, int y) override;
    void onRightDown(int x, int y) override;

    /// The order was taken: the digits are lit again and the readout shows the boat.
    void leaveOrderMode();
    /// Shows the actual or the ordered value by the rule above.
    void refresh(int actual, int ordered);

    bool orderMode() const { return orderMode_; }
    bool orderPending() const { return pending_; }

private:
    void enterOrderMode();

    bool orderMode_ = false;
    bool pending_ = false;
};

} // namespace q71
