#include "stations/nav/hidden_sequence.h"

#include <cctype>

namespace q71 {
namespace {

int upper(int key) {
    return key >= 0 && key < 256 ? std::toupper(key) : key;
}

} // namespace

HiddenSequence::Result HiddenSequence::feed(int key) {
    if (word_.empty() || upper(key) != static_cast<unsigned char>(word_[static_cast<std::size_t>(position_)])) {
        position_ = 0;
        return kReset;
    }
    if (++position_ < static_cast<int>(word_.size()))
        return kAdvanced;
    position_ = 0;
    return kCompleted;
}

} // namespace q71
