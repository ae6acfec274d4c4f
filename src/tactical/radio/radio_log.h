#pragma once
// The radio room's log: the messages received, each in the next of three colours, with a grey
// separator between the mission's messages and anything else; kept line by line so that a saved
// mission brings it back as it was.

#include "platform/gdi/colour.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace q71 {

/// The colours messages take in turn, and the separators' grey.
inline constexpr ColorRef kRadioColours[] = {rgb(255, 255, 192), rgb(192, 255, 255), rgb(128, 255, 128)};
inline constexpr ColorRef kRadioSeparatorColour = rgb(128, 128, 128);
/// The kind of the mission's messages (tasking, intelligence, what comes by radio).
inline constexpr int kRadioMissionKind = 1;
/// The longest line a saved mission may hand back; longer ones are cut.
inline constexpr std::size_t kRadioSavedLineLimit = 1024;

class RadioLog {
public:
    /// Where lines show (the room's text box): a line and its colour.
    using Sink = std::function<void(const std::string& line, ColorRef colour)>;

    /// `separator` is the text set between messages (text 347).
    explicit RadioLog(std::string separator) : separator_(std::move(separator)) {}

    void setSink(Sink sink) { sink_ = std::move(sink); }
    /// Appends a text of a kind (nothing for an empty text or kind 0): a separator first when the
    /// last kind was not 0 and either it or this one is a mission message; the text in the colour
    /// of the moment.
    void appendMessage(std::string_view text, int kind);
    /// The next message takes the next colour.
    void advanceColour() { colour_ = (colour_ + 1) % 3; }
    /// Appends the lines of a saved mission: " " a blank line, a separator in grey (the colour
    /// advancing after it), anything else in the colour of the moment; then the colour advances.
    void restore(const std::vector<std::string>& saved);

    /// The lines as a saved mission keeps them, oldest first.
    const std::vector<std::string>& lines() const { return lines_; }
    int colourIndex() const { return colour_; }
    int lastKind() const { return lastKind_; }

private:
    void add(std::string_view text, ColorRef colour);

    std::string separator_;
    Sink sink_;
    std::vector<std::string> lines_;
    int colour_ = 0;
    int lastKind_ = 0;
};

} // namespace q71
