#pragma once
// The credits: the blocks of texts 1930 onwards rise slowly through a pane of glass. On the way
// out of the program they end it once they have passed (or at a click or a dismiss key); seen
// from the main menu, they go back to it.

#include "frontend/front_end_screen.h"

#include <cstdint>
#include <string>
#include <vector>

namespace q71 {

namespace credits_layout {
inline constexpr Rect kTitle{100, 26, 540, 74};
inline constexpr Rect kGlass{100, 92, 540, 424};
} // namespace credits_layout

class CreditsScreen : public FrontEndScreen {
public:
    /// `endsProgram`: the credits end the program when done, else they go back to the main menu.
    CreditsScreen(WindowHandle parent, bool endsProgram);

    /// Loads the picture, reads the credits and starts them rising.
    void open() override;
    void close() override;
    /// The background, then the lines where they stand now.
    void paint(DeviceContext& dc) override;
    LResult handleMessage(WindowHandle window, std::uint32_t message, WParam wParam, LParam lParam) override;

    /// How far the lines have risen, in pixels.
    int risen() const { return risen_; }
    /// The height of all lines with their blank lines.
    int contentHeight() const;
    bool endsProgram() const { return endsProgram_; }

protected:
    /// The end of the credits: the program ends, or the main menu comes back.
    bool skip() override;

private:
    bool endsProgram_;
    /// The lines in order; an empty line is the blank between two blocks.
    std::vector<std::string> lines_;
    std::uint32_t startTime_ = 0;
    int risen_ = 0;
};

} // namespace q71
