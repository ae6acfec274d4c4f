#include "framework/lists/linked_list.h"
#include "framework/lists/pooled_list_nodes.h"
#include "support/list_walks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

namespace q71 {
namespace {

struct Item {
    int value;
};

template <class List>
int currentValue(const List& list) {
    return list.current() ? list.current()->value : -1;
}

// Random changes and walks, each made on a list of heap nodes and on one of pooled nodes: both
// must hold the same items in the same order and stand on the same item after every step.
TEST(PooledListNodes, AListOfPooledNodesActsAsOneOfHeapNodes) {
    std::mt19937 random(71);
    std::vector<Item> items(64);
    for (int i = 0; i < 64; ++i)
        items[static_cast<std::size_t>(i)].value = i;
    LinkedList<Item> heap;
    LinkedList<Item, PooledListNodes<Item>> pooled;
    for (int step = 0; step < 20000; ++step) {
        Item* item = &items[random() % items.size()];
        switch (random() % 7) {
        case 0:
        case 1:
            heap.appendItem(item);
            pooled.appendItem(item);
            break;
        case 2:
            heap.prepend(item);
            pooled.prepend(item);
            break;
        case 3: { // before a listed item, or one that is not there
            Item* before = &items[random() % items.size()];
            ASSERT_EQ(heap.insertBefore(item, before), pooled.insertBefore(item, before));
            break;
        }
        case 4: // any item, listed or not (the cursor ends where the search left it)
            ASSERT_EQ(heap.remove(item), pooled.remove(item));
            break;
        case 5: // a walk that removes every third item it passes, inside a saved cursor
            ASSERT_NO_FATAL_FAILURE(test::walkSideBySide(heap, pooled, [&](Item* passedItem, int passed) {
                if (passed % 3 == 2) {
                    heap.remove(passedItem);
                    pooled.remove(passedItem);
                }
            }));
            break;
        default:
            ASSERT_EQ(heap.next(), pooled.next());
            break;
        }
        ASSERT_EQ(test::listOrder(heap), test::listOrder(pooled)) << "step " << step;
        ASSERT_EQ(currentValue(heap), currentValue(pooled)) << "step " << step;
        ASSERT_EQ(heap.count(), pooled.count());
        if (heap.count() > 48) {
            heap.freeNodes();
            pooled.freeNodes();
        }
    }
}

// Nodes handed back are handed out again: below the most ever held, no new block is made, and
// no node is handed out twice while in use.
TEST(PooledListNodes, ChangesBelowTheMostEverHeldTakeNoNewNodes) {
    using Node = LinkedListNode<Item>;
    std::mt19937 random(47);
    std::vector<Item> items(100);
    PooledListNodes<Item> nodes;
    std::vector<Node*> inUse;
    for (Item& item : items)
        inUse.push_back(nodes.make(Node{&item, nullptr, nullptr}));
    const std::size_t capacity = nodes.capacity();
    for (int step = 0; step < 5000; ++step) {
        if (!inUse.empty() && (random() % 2 == 0 || inUse.size() == items.size())) {
            const std::size_t at = random() % inUse.size();
            nodes.release(inUse[at]);
            inUse.erase(inUse.begin() + static_cast<std::ptrdiff_t>(at));
        } else {
            Item* item = &items[random() % items.size()];
            Node* node = nodes.make(Node{item, nullptr, nullptr});
            ASSERT_EQ(std::count(inUse.begin(), inUse.end(), node), 0) << "step " << step;
            ASSERT_EQ(node->item, item);
            inUse.push_back(node);
        }
        ASSERT_EQ(nodes.capacity(), capacity) << "step " << step;
    }
    for (Node* node : inUse)
        nodes.release(node);
}

} // namespace
} // namespace q71
