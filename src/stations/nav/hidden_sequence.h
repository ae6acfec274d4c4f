#pragma once
// A word typed letter by letter (either case): each key either is the next letter, completes
// the word, or is not the next letter and starts the word again.

#include <string>
#include <string_view>

namespace q71 {

class HiddenSequence {
public:
    enum Result { kReset, kAdvanced, kCompleted };

    /// The word in capitals.
    explicit HiddenSequence(std::string_view word) : word_(word) {}

    /// Takes one key; after a completion the next key starts the word again.
    Result feed(int key);
    int position() const { return position_; }

private:
    std::string word_;
    int position_ = 0;
};

} // namespace q71
