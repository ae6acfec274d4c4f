#pragma once
// The numbered child screens a screen owns (the sub-screens of a full screen, the pages of a
// sub-screen). Entries may be empty; an index outside the array names no screen. A screen taken
// out of its entry is hidden first.

#include <algorithm>
#include <cstddef>
#include <memory>
#include <vector>

namespace q71 {

template <class Screen> class ScreenSlots {
public:
    /// The screen of entry i, or null.
    Screen* at(int i) const {
        return i >= 0 && i < count() ? slots_[static_cast<std::size_t>(i)].get() : nullptr;
    }
    int count() const { return static_cast<int>(slots_.size()); }
    /// n empty entries; the screens held before are hidden and deleted.
    void resize(int n) {
        for (int i = 0; i < count(); ++i)
            erase(i);
        slots_.clear();
        slots_.resize(static_cast<std::size_t>(std::max(n, 0)));
    }
    /// Puts a screen into entry i (nothing outside the array), hiding and deleting the one there.
    void put(int i, std::unique_ptr<Screen> screen) {
        if (i < 0 || i >= count())
            return;
        erase(i);
        slots_[static_cast<std::size_t>(i)] = std::move(screen);
    }
    /// Hides and deletes the screen of entry i.
    void erase(int i) {
        if (Screen* s = at(i)) {
            s->hide();
            slots_[static_cast<std::size_t>(i)].reset();
        }
    }
    /// Calls f for every screen held.
    template <class F> void forEach(F f) const {
        for (const auto& s : slots_)
            if (s)
                f(*s);
    }

private:
    std::vector<std::unique_ptr<Screen>> slots_;
};

} // namespace q71
