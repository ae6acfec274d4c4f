// The stadimeter's split picture.
#include "tactical/stadimeter/stadimeter_image.h"

#include "platform/gdi/blit.h"
#include "platform/gdi/device_context.h"
#include "platform/window/focus.h"

#include <algorithm>

namespace q71 {

StadimeterImage::StadimeterImage(WindowHandle parent, int x, int y, int width, int height)
    : BaseWidget(parent, x, y, width, height, true) {}

StadimeterImage::~StadimeterImage() {
    release();
    StadimeterImage::freeResources();
}

void StadimeterImage::release() {
    pictureDc_.reset();
    pictureBitmap_.reset();
    pictureWidth_ = pictureHeight_ = 0;
}

void StadimeterImage::setPicture(DeviceContext& source, int width, int height) {
    release();
    if (width > 0 && height > 0) {
        pictureBitmap_ = Bitmap::createCompatible(width, height);
        pictureDc_ = DeviceContext::createMemory();
        if (pictureBitmap_ && pictureDc_) {
            pictureDc_->selectBitmap(pictureBitmap_);
            bitBlt(*pictureDc_, 0, 0, width, height, &source, 0, 0, kSrcCopy);
            pictureWidth_ = width;
            pictureHeight_ = height;
        } else {
            release();
        }
    }
    split_ = 0;
    pan_ = {};
    clampPan();
    repaint();
}

void StadimeterImage::clear() {
    release();
    split_ = 0;
    pan_ = {};
    clampPan();
    repaint();
}

void StadimeterImage::setSplit(int rows) {
    split_ = stadimeterClampSplit(rows, pictureHeight_);
    clampPan();
    repaint();
}

void StadimeterImage::setPan(int x, int y) {
    pan_ = {x, y};
    clampPan();
    repaint();
}

void StadimeterImage::clampPan() {
    pan_ = stadimeterClampPan(pan_, pictureWidth_, pictureHeight_, split_, width_, height_);
}

void StadimeterImage::repaint() {
    invalidate(nullptr, false);
}

void StadimeterImage::loadResources() {
    if (backDc_)
        return;
    backBitmap_ = Bitmap::createCompatible(width_, height_);
    backDc_ = DeviceContext::createMemory();
    if (backBitmap_ && backDc_) {
        backDc_->selectBitmap(backBitmap_);
    } else {
        backDc_.reset();
        backBitmap_.reset();
    }
}

void StadimeterImage::freeResources() {
    backDc_.reset();
    backBitmap_.reset();
}

void StadimeterImage::copyClipped(DeviceContext& dc, int x, int y, int w, int h, int sx, int sy) const {
    // Only the part of the source rectangle that lies in the picture is copied.
    const int left = std::max(sx, 0), top = std::max(sy, 0);
    const int right = std::min(sx + w, pictureWidth_), bottom = std::min(sy + h, pictureHeight_);
    if (left >= right || top >= bottom)
        return;
    bitBlt(dc, x + left - sx, y + top - sy, right - left, bottom - top, pictureDc_.get(), left, top, kSrcCopy);
}

void StadimeterImage::compose(DeviceContext& dc) const {
    patBlt(dc, 0, 0, width_, height_, kBlackness);
    if (!pictureDc_)
        return;
    const int sx = (pictureWidth_ - width_) / 2 + pan_.x;
    const int sy = (pictureHeight_ - height_) / 2 + pan_.y;
    const int half = width_ / 2;
    copyClipped(dc, 0, 0, half, height_, sx, sy);
    copyClipped(dc, half, 0, width_ - half, height_, sx + half, sy - split_);
}

void StadimeterImage::paint(PaintRecord& paint) {
    DeviceContext& dc = *paint.dc;
    if (!backDc_) {
        patBlt(dc, 0, 0, width_, height_, kBlackness);
        return;
    }
    compose(*backDc_);
    bitBlt(dc, 0, 0, width_, height_, backDc_.get(), 0, 0, kSrcCopy);
}

void StadimeterImage::onLeftDown(int x, int y) {
    dragging_ = true;
    dragMouse_ = {x, y};
    dragPan_ = pan_;
    captureSet(window());
    focusSet(window()); // "b" comes here during the drag
}

void StadimeterImage::onMouseMove(int x, int y) {
    if (dragging_)
        setPan(dragPan_.x + dragMouse_.x - x, dragPan_.y + dragMouse_.y - y);
}

void StadimeterImage::onLeftUp(int, int) {
    if (!dragging_)
        return;
    dragging_ = false;
    captureRelease();
}

int StadimeterImage::onChar(int character) {
    if (character != 'b' || !dragging_)
        return 0;
    dragging_ = false;
    captureRelease();
    setPan(dragPan_.x, dragPan_.y);
    return 1;
}

} // namespace q71
