#pragma once
// The captain's log (slot 4, "captlog"): the current player's log in a text box, newest at the
// bottom, and a line to type a new entry into, written with its date by the button or Enter. A
// log that cannot be read is said and never written over; a failed write is said and keeps the
// typed line. Esc or the back button return to the main menu.

#include "frontend/front_end_screen.h"

#include <memory>
#include <string>

namespace q71 {

class EditBox;
class SimpleButton;
class TextBox;

class CaptLogFS : public FrontEndScreen {
public:
    explicit CaptLogFS(WindowHandle parent);
    ~CaptLogFS() override;

    /// Reads the log into the box.
    void open() override;
    void close() override;
    void paint(DeviceContext& dc) override;
    int onCommand(WParam wParam, LParam lParam) override;
    /// Enter writes the typed entry; Esc goes back.
    int onKey(int key, int category) override;

    /// Writes the typed entry with its date; false when there is none or it could not be written.
    bool writeEntry();

    TextBox* logBox() const { return log_.get(); }
    EditBox* entryBox() const { return entry_.get(); }

private:
    void fillLog();
    void say(int text);
    void leave();

    std::unique_ptr<TextBox> log_;
    std::unique_ptr<EditBox> entry_;
    std::unique_ptr<SimpleButton> write_;
    std::unique_ptr<SimpleButton> back_;
    int saidText_ = 0;
    bool writable_ = false;
};

} // namespace q71
