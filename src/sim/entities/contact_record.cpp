#include "sim/entities/contact_record.h"

#include <algorithm>
#include <utility>

namespace q71 {

void FixList::push(const ContactFix& fix, std::size_t limit) {
    if (limit == 0) {
        clear();
        return;
    }
    trim(limit);
    keepNewest(fix);
    if (ring_.size() == limit) { // full: the oldest slot takes the new fix and becomes the newest
        ring_[oldest_] = fix;
        oldest_ = static_cast<std::uint32_t>((oldest_ + 1) % ring_.size());
        return;
    }
    // A list that must grow takes the room of a full one at once: one block, not one a doubling.
    if (ring_.size() == ring_.capacity())
        ring_.reserve(limit);
    // The newest is followed, round the ring, by the oldest: the new fix goes in between.
    if (oldest_ == 0) {
        ring_.push_back(fix);
    } else {
        ring_.insert(ring_.begin() + static_cast<std::ptrdiff_t>(oldest_), fix);
        ++oldest_;
    }
}

void FixList::trim(std::size_t limit) {
    if (ring_.size() <= limit)
        return;
    std::rotate(ring_.begin(), ring_.begin() + static_cast<std::ptrdiff_t>(oldest_), ring_.end());
    oldest_ = 0;
    ring_.erase(ring_.begin(), ring_.begin() + static_cast<std::ptrdiff_t>(ring_.size() - limit));
}

void FixList::clear() {
    ring_.clear();
    oldest_ = 0;
}

void ContactRecord::reset() {
    std::array<FixList, kFixListCount> kept = std::move(fixes);
    *this = ContactRecord{};
    fixes = std::move(kept);
    for (FixList& list : fixes)
        list.clear();
}

} // namespace q71
