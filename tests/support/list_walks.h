#pragma once
// Helpers of the tests that change two lists alike (the program's and a plain one) and hold
// them to walking alike.

#include <gtest/gtest.h>

#include <type_traits>
#include <vector>

namespace q71::test {

/// The items a list holds, in its order.
template <class List>
auto listOrder(const List& list) {
    std::vector<const std::remove_pointer_t<decltype(list.head()->item)>*> out;
    for (auto* node = list.head(); node; node = node->next)
        out.push_back(node->item);
    return out;
}

/// Walks two lists side by side inside saved cursors, as the program's walks do, handing each
/// item and how many were passed before it to `visit`, which may take the item out of both: the
/// lists must hand on the same items and end together. Call it inside ASSERT_NO_FATAL_FAILURE.
template <class A, class B, class Visit>
void walkSideBySide(A& a, B& b, Visit visit) {
    a.saveCursor();
    b.saveCursor();
    auto* x = a.rewind();
    auto* y = b.rewind();
    for (int passed = 0; x && y; ++passed) {
        ASSERT_EQ(x, y);
        visit(x, passed);
        x = a.advance();
        y = b.advance();
    }
    ASSERT_EQ(x, y);
    a.restoreCursor();
    b.restoreCursor();
}

} // namespace q71::test
