#include "tactical/radio/radio_log.h"

namespace q71 {

void RadioLog::add(std::string_view text, ColorRef colour) {
    // One saved line per line of the text; a blank one is kept as " " so that it survives the save.
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        std::string line(text.substr(start, end - start));
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (sink_)
            sink_(line.empty() ? " " : line, colour);
        lines_.push_back(line.empty() ? " " : std::move(line));
        start = end + 1;
    }
}

void RadioLog::appendMessage(std::string_view text, int kind) {
    if (text.empty() || kind == 0)
        return;
    if (lastKind_ != 0 && (lastKind_ == kRadioMissionKind || kind == kRadioMissionKind))
        add(separator_, kRadioSeparatorColour);
    add(text, kRadioColours[colour_]);
    lastKind_ = kind;
}

void RadioLog::restore(const std::vector<std::string>& saved) {
    for (const std::string& stored : saved) {
        const std::string_view line =
            std::string_view(stored).substr(0, std::min(stored.size(), kRadioSavedLineLimit));
        if (line.size() > 10 && !separator_.empty() && line.find(separator_) != std::string_view::npos) {
            add(line, kRadioSeparatorColour);
            advanceColour();
        } else {
            add(line, kRadioColours[colour_]);
        }
    }
    advanceColour();
    // A message coming after the restored ones is set apart from them, as it was before the save.
    if (!saved.empty())
        lastKind_ = kRadioMissionKind;
}

} // namespace q71
