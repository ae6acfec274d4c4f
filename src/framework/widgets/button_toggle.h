#pragma once
// The bitmap buttons, switches and animated controls of the stations and menus. A ButtonToggle
// shows one frame of a strip of equally sized frames cut from one bitmap; a click plays the
// frames through, one every 60 ms, and at the end the button flips between its two states
// (2 released, on the first frame; 1 set, on the last) and tells its parent window with
// WM_COMMAND (control id, new state).
//
// The strip: frames stacked one above the other in the picture, with one separator row after
// each in stored (bottom-up) order, frame 0 at the top. Rows are as long as the bitmap's own
// width and depth make them.

#include "framework/widgets/base_widget.h"
#include "framework/widgets/widget_bitmap.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace q71 {

class ButtonToggle : public BaseWidget {
public:
    /// One frame of the strip: its first stored row onwards, the delay before the next frame, and
    /// the neighbours the animation moves to (-1: none).
    struct Frame {
        std::span<const std::uint8_t> bits;
        int delay = 0;
        int next = -1;
        int previous = -1;
    };

    /// A button without window or bitmap.
    ButtonToggle();
    /// A windowless button in no container that loads its strip from a file.
    ButtonToggle(int controlId, std::string_view fileName, int frameWidth, int frameHeight, int frameCount);
    /// A button without a strip of its own (a subclass supplies the frames).
    ButtonToggle(WindowHandle parentWindow, int controlId, int x, int y, int width, int height,
                 bool windowed);
    /// A button that loads its strip from a file; the frames are the widget's size.
    ButtonToggle(WindowHandle parentWindow, int controlId, std::string_view fileName, int frameCount, int x,
                 int y, int width, int height, bool windowed);
    ~ButtonToggle() override;

    /// Draws the current frame.
    void paint(PaintRecord& paint) override;
    /// One step of the animation.
    void onTick() override;
    /// A press inside the hit rectangle starts the animation (ignored while it runs).
    void onLeftDown(int x, int y) override;
    /// 2 shows the first frame, 1 the last; any other value is only stored.
    void setState(int value) override;
    /// Loads the strip the button owns, once; a strip that cannot be read is fatal.
    void loadResources() override;
    /// Frees the strip the button owns.
    void freeResources() override;

    /// Draws frame bits at the widget's place in a context of its window.
    virtual void drawFrame(DeviceContext& dc, std::span<const std::uint8_t> bits);
    /// Cuts the strip into the frame records and picks the frame for the state.
    virtual void buildFrames();
    /// Forgets the frames' bits (the strip is gone).
    virtual void clearFrames();
    /// Presses are ignored while disabled.
    virtual void setEnabled(bool enabled);

    /// The clickable area relative to the widget (default: all of it).
    void setHitRect(const Rect& rect) { hitRect_ = rect; }
    /// true: the click sound plays at the press; false: at the end of the animation.
    void setSoundOnPress(bool onPress) { soundOnPress_ = onPress; }
    /// Shows frame `index`.
    void setFrame(int index);

    int frameCount() const { return frameCount_; }
    int frameIndex() const { return frameIndex_; }
    /// The frame on show, or null.
    const Frame* currentFrame() const { return frame(current_); }
    /// The record `index`, or null.
    const Frame* frame(int index) const;
    bool isAnimating() const { return animating_; }
    bool isClickable() const { return clickable_; }
    const std::string& fileName() const { return fileName_; }

protected:
    /// Uses a strip held elsewhere (the button does not own it).
    void useStrip(std::span<const std::uint8_t> header, std::span<const std::uint8_t> bits);
    /// Makes record `index` current and draws it at once on the widget's window.
    void showFrameNow(int index);
    /// Makes `frameCount` empty frame records (negative counts as none).
    void allocateFrames(int frameCount);

    std::span<const std::uint8_t> header_;
    std::span<const std::uint8_t> bits_;
    std::vector<Frame> frames_;
    int current_ = -1;
    int frameCount_ = 0;
    int frameWidth_ = 0;
    int frameHeight_ = 0;
    std::string fileName_;
    bool ownsBitmap_ = false;
    WidgetBitmap strip_;
    Rect hitRect_;
    bool clickable_ = true;
    bool soundOnPress_ = false;
    int frameIndex_ = 0;
    bool animating_ = false;

private:
    void initButton(int controlId, int frameCount);
    void setFile(std::string_view fileName);
};

} // namespace q71
