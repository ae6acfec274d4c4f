#pragma once
// The books' 3-D view: one object record's model alone on a dark ground, turning slowly about
// its upright axis, seen from a little above and as far off as its size asks.

#include "tactical/rwutils/rw_widget.h"

#include "platform/geometry/rect.h"

namespace q71 {

struct ObjectRecord;

class BookModelView : public RWWidget {
public:
    BookModelView(WindowHandle parent, const Rect& area);
    ~BookModelView() override;

    /// Shows the model of a record (null: none); false when the record has no model.
    bool showRecord(const ObjectRecord* record);
    bool hasModel() const { return handle_ >= 0; }
    /// The heading the model is seen at (degrees; 0 bow away from the viewer).
    void setHeading(double degrees);
    double heading() const { return heading_; }
    /// Turns the model on by some degrees and draws it.
    void turn(double degrees);

    void setBackColour() override;
    /// A bright white light: the model is shown, not a sea at some hour.
    void applyTimeOfDay() override;

private:
    void dropModel();

    r3d::Clump* model_ = nullptr;
    int handle_ = -1;
    // The pose the view reads every frame.
    double x_ = 0.0, y_ = 0.0, z_ = 0.0, heading_ = 0.0, pitch_ = 0.0, roll_ = 0.0;
};

} // namespace q71
