#pragma once
// The stadimeter's split picture: the periscope picture cut down the middle, the right half
// raised by the split, so that a masthead in one half can be brought level with the waterline in
// the other. A left-button drag pans the picture; "b" during a drag puts it back where the drag
// began.

#include "framework/widgets/base_widget.h"
#include "platform/gdi/bitmap.h"
#include "tactical/stadimeter/stadimeter_math.h"

#include <memory>

namespace q71 {

class StadimeterImage : public BaseWidget {
public:
    StadimeterImage(WindowHandle parent, int x, int y, int width, int height);
    ~StadimeterImage() override;

    /// Takes a copy of a picture (width by height of the source context); split and pan start at 0.
    void setPicture(DeviceContext& source, int width, int height);
    /// Lets the picture go.
    void clear();
    /// The split in rows, kept within the picture (0 without one).
    void setSplit(int rows);
    void setPan(int x, int y);

    void paint(PaintRecord& paint) override;
    void loadResources() override;
    void freeResources() override;
    void onLeftDown(int x, int y) override;
    void onMouseMove(int x, int y) override;
    void onLeftUp(int x, int y) override;
    int onChar(int character) override;

    int split() const { return split_; }
    StadimeterPan pan() const { return pan_; }
    int pictureWidth() const { return pictureWidth_; }
    int pictureHeight() const { return pictureHeight_; }
    bool dragging() const { return dragging_; }
    /// Draws the two halves into a context of the widget's size.
    void compose(DeviceContext& dc) const;

private:
    void release();
    void clampPan();
    void repaint();
    /// Copies a part of the picture, leaving black what lies outside it.
    void copyClipped(DeviceContext& dc, int x, int y, int w, int h, int sx, int sy) const;

    int pictureWidth_ = 0, pictureHeight_ = 0;
    std::unique_ptr<DeviceContext> backDc_;
    BitmapRef backBitmap_;
    std::unique_ptr<DeviceContext> pictureDc_;
    BitmapRef pictureBitmap_;
    int split_ = 0;
    StadimeterPan pan_;
    bool dragging_ = false;
    Point dragMouse_{};
    StadimeterPan dragPan_;
};

} // namespace q71
