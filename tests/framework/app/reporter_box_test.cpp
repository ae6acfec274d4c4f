#include "framework/app/reporter.h"
#include "platform/msgbox/message_box_types.h"
#include "platform/window/focus.h"
#include "platform/window/modal_loop.h"
#include "platform/window/virtual_keys.h"
#include "platform/window/window.h"
#include "platform/window/window_layout.h"
#include "platform/window/window_styles.h"
#include "support/headless_windows.h"

namespace q71 {
namespace {

class ReportBoxes : public test::HeadlessWindows {};

TEST_F(ReportBoxes, AWarningShowsItsBoxOverTheWindowWithTheFocus) {
    WindowHandle main = makeWindow(WS_POPUP | WS_VISIBLE, {0, 0, 640, 480});
    pump();
    focusSet(main);
    std::string caption;
    bool ownerEnabled = true;
    modalScriptPush([&](WindowHandle box) {
        caption = windowGetText(box);
        ownerEnabled = windowIsEnabled(main);
        display.typeKey(VK_RETURN, '\r');
    });
    testing::internal::CaptureStderr();
    EXPECT_EQ(reportWarning("M", 12, "skeleton", 1), kIdOk);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(caption, "Erreur");
    EXPECT_FALSE(ownerEnabled);
    EXPECT_TRUE(windowIsEnabled(main));
}

} // namespace
} // namespace q71
