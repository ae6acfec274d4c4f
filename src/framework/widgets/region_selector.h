#pragma once
// A windowed picture with clickable regions: a click in a region shows that region's frame and
// tells the parent window WM_COMMAND (control id, region index). Frame i belongs to region i;
// the first region holding the point wins.

#include "framework/widgets/simple_button.h"

#include <vector>

namespace q71 {

class RegionSelector : public SimpleButton {
public:
    /// A selector of `regionCount` regions (all empty until set) over a strip loaded from a file.
    RegionSelector(WindowHandle parentWindow, int controlId, int x, int y, int width, int height,
                   std::string_view fileName, int frameCount, int kind, int regionCount);

    /// Sets region `index` (relative to the widget; right and bottom excluded); ignored outside the table.
    void setRegion(int index, int left, int top, int right, int bottom);
    /// Selects frame `index` and draws it at once; ignored outside the strip.
    void selectFrame(int index);
    int selected() const { return selected_; }

    /// Selects the first region under the pointer and reports it.
    void onLeftDown(int x, int y) override;
    /// Cuts the strip into still frames and shows the selected one.
    void buildFrames() override;
    /// Only stops the clicks: every frame is a region's, none is a disabled look.
    void setEnabled(bool enabled) override;

private:
    /// Makes `index` the selection and state and draws its frame, when there is one.
    void showSelection(int index);

    std::vector<Rect> regions_;
    int selected_ = 0;
};

} // namespace q71
