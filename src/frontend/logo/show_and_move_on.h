#pragma once
// A picture that stands for a while and then moves on to its next-screen slot: after its time,
// at a click, or at a dismiss key (Esc, Space, Enter). The logo of the start is one.

#include "frontend/front_end_screen.h"

#include <cstdint>

namespace q71 {

class ShowAndMoveOn : public FrontEndScreen {
public:
    /// A picture screen showing the background of `group` for `showMs` once activated.
    ShowAndMoveOn(std::string_view key, WindowHandle parent, const char* group, std::uint32_t showMs);

    /// Loads the picture and starts the time.
    void open() override;
    /// Stops the time and frees the picture.
    void close() override;
    LResult handleMessage(WindowHandle window, std::uint32_t message, WParam wParam, LParam lParam) override;

protected:
    /// Moves on at once.
    bool skip() override;

    const char* group_;
    std::uint32_t showMs_;
};

} // namespace q71
