#include "control_fixture.h"

#include "platform/controls/standard_controls.h"
#include "platform/gdi/blit.h"
#include "platform/gdi/window_dc.h"
#include "platform/window/message_ids.h"
#include "platform/window/virtual_keys.h"
#include "platform/window/window.h"
#include "platform/window/window_layout.h"
#include "platform/window/window_styles.h"

#include <cctype>

namespace q71::test {

ControlTest::ControlTest() {
    installWindowDrawing();
    EXPECT_TRUE(controlsRegisterClasses());
    main = makeWindow(WS_POPUP | WS_VISIBLE, {0, 0, 640, 480});
    panel = makeWindow(WS_CHILD | WS_VISIBLE, {0, 0, 640, 480}, main);
    pump();
    received.clear();
}

WindowHandle ControlTest::make(std::string_view className, std::string_view text, std::uint32_t style,
                               Rect rect, int id) {
    WindowHandle control =
        windowCreate(0, className, text, style | WS_CHILD | WS_VISIBLE, rect.left, rect.top, rect.width(),
                     rect.height(), panel, static_cast<std::uintptr_t>(id));
    EXPECT_NE(control, WindowHandle{}) << className;
    return control;
}

std::vector<std::pair<int, int>> ControlTest::commands() const {
    std::vector<std::pair<int, int>> out;
    for (const Received& r : receivedBy(panel, WM_COMMAND))
        out.emplace_back(loWord(r.wParam), hiWord(r.wParam));
    return out;
}

void ControlTest::clickAt(WindowHandle window, Point point) {
    display.click(windowClientToScreen(window, point));
    pump();
}

void ControlTest::type(std::string_view text) {
    for (char c : text) {
        auto ch = static_cast<unsigned char>(c);
        std::uint8_t key = std::isalnum(ch) ? static_cast<std::uint8_t>(std::toupper(ch))
                           : ch == ' '      ? VK_SPACE
                                            : VK_OEM_2;
        display.typeKey(key, ch);
    }
    pump();
}

void ControlTest::typeShifted(std::uint8_t virtualKey) {
    display.typeKey(VK_LSHIFT, -1, true);
    display.typeKey(virtualKey);
    display.inject(InputEvent::keyOf(InputKind::KeyUp, VK_LSHIFT));
    pump();
}

BitmapRef ControlTest::capture(WindowHandle window) const {
    Rect r = windowGetRect(window);
    BitmapRef bitmap = Bitmap::createCompatible(r.width(), r.height());
    auto memory = DeviceContext::createMemory();
    memory->selectBitmap(bitmap);
    auto screen = createDisplayDC();
    bitBlt(*memory, 0, 0, r.width(), r.height(), screen.get(), r.left, r.top, kSrcCopy);
    return bitmap;
}

} // namespace q71::test
