#pragma once
// A widget for the tests that fills its rectangle with a colour and writes what it receives
// into a log ("name.call args").

#include "framework/widgets/base_widget.h"
#include "platform/gdi/device_context.h"
#include "platform/gdi/pen_brush.h"

#include <string>
#include <vector>

namespace q71::test {

class Probe : public BaseWidget {
public:
    Probe(std::vector<std::string>& log, std::string name, WindowHandle parent, Rect rect, ColorRef colour,
          bool windowed = false)
        : BaseWidget(parent, rect.left, rect.top, rect.width(), rect.height(), windowed), log_(log),
          tag_(std::move(name)), colour_(colour) {}

    void paint(PaintRecord& p) override {
        Rect area = windowed_ ? Rect{0, 0, width_, height_} : Rect{x_, y_, x_ + width_, y_ + height_};
        p.dc->fillRect(area, createSolidBrush(colour_));
        note("paint");
    }
    void onTick() override { note("tick"); }
    void onLeftDown(int x, int y) override { note("down", x, y); }
    void onLeftUp(int x, int y) override {
        BaseWidget::onLeftUp(x, y);
        note("up", x, y);
    }
    void onMouseMove(int x, int y) override { note("move", x, y); }
    void onRightDown(int x, int y) override { note("rdown", x, y); }
    void onRightUp(int x, int y) override { note("rup", x, y); }
    void setState(int value) override {
        BaseWidget::setState(value);
        note("state", value);
    }
    int onKeyDown(std::uint32_t key, LParam) override {
        note("key", static_cast<int>(key));
        return keysHandled;
    }
    int onChar(int character) override {
        note("char", character);
        return 0;
    }

    int keysHandled = 0;

private:
    void note(const char* what) { log_.push_back(tag_ + "." + what); }
    void note(const char* what, int a) { log_.push_back(tag_ + "." + what + " " + std::to_string(a)); }
    void note(const char* what, int a, int b) {
        log_.push_back(tag_ + "." + what + " " + std::to_string(a) + "," + std::to_string(b));
    }

    std::vector<std::string>& log_;
    std::string tag_;
    ColorRef colour_;
};

} // namespace q71::test
