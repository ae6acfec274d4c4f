#pragma once
// The screens at the end of a mission (the death, the victory): a picture of their own group, a
// title on its plate, what they have to say on the glass, and a hint that a click goes on.

#include "frontend/front_end_screen.h"
#include "platform/gdi/colour.h"

#include <string>

namespace q71 {

class EndOfMissionScreen : public FrontEndScreen {
public:
    EndOfMissionScreen(std::string_view key, WindowHandle parent, const char* group, int titleText,
                       ColorRef titleColour);

    void open() override;
    void close() override;
    void paint(DeviceContext& dc) override;

    /// What the glass says.
    virtual std::string body() const = 0;

private:
    const char* group_;
    int titleText_;
    ColorRef titleColour_;
};

} // namespace q71
