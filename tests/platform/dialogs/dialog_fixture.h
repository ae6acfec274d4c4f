#pragma once
// Dialogs on the headless window system, owned by the controls' test panel, with a dialog
// procedure that logs what it receives and lets the test answer.

#include "../controls/control_fixture.h"
#include "platform/dialogs/dialog_manager.h"

#include <functional>
#include <optional>

namespace q71::test {

class DialogTest : public ControlTest {
protected:
    DialogTest();
    ~DialogTest() override;

    /// The procedure to give the dialog manager: logs into `dialogReceived` and asks `onDialog`.
    static LResult procedure(WindowHandle dialog, std::uint32_t message, WParam wParam, LParam lParam);
    /// The messages of one number the dialog procedure received.
    std::vector<Received> dialogGot(std::uint32_t message) const;
    /// A procedure answer that ends the dialog with the id of any button it hears clicked.
    void endOnCommand();

    std::vector<Received> dialogReceived;
    std::function<std::optional<LResult>(const Received&)> onDialog;

private:
    static DialogTest* current_;
};

} // namespace q71::test
