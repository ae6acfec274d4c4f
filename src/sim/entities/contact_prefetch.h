#pragma once
// Hints that ask for a contact record's memory before it is read. Records lie apart in the heap
// and the contacts' walks and reports each wait on them; a hint given a few hundred instructions
// early lets the lines arrive meanwhile. Hints change nothing but the cache.

#include "sim/entities/contact_record.h"

#include <cstddef>

namespace q71 {

/// The fix list a sensor's reports go to (the entity's own fixes).
inline constexpr std::size_t kOwnFixList = 0;

/// The lines a report or the per-second walks read of a record: from its kind to the end of its
/// own fix list.
inline void prefetchContactLines(const ContactRecord& contact) {
    constexpr std::ptrdiff_t kLine = 64;
    const auto* from = reinterpret_cast<const char*>(&contact.kind);
    const auto* last = reinterpret_cast<const char*>(&contact.fixes[kOwnFixList + 1]) - 1;
    for (; from < last; from += kLine)
        __builtin_prefetch(from);
    __builtin_prefetch(last);
}

/// The newest of the record's own fixes, whose place only the record's lines give: both lines a
/// fix may lie across.
inline void prefetchNewestFix(const ContactRecord& contact) {
    if (const FixList& fixes = contact.fixes[kOwnFixList]; !fixes.empty()) {
        const auto* fix = reinterpret_cast<const char*>(&fixes.newest());
        __builtin_prefetch(fix);
        __builtin_prefetch(fix + sizeof(ContactFix) - 1);
    }
}

} // namespace q71
