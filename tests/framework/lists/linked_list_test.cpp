#include "framework/lists/linked_list.h"
#include "framework/lists/ptr_list.h"

#include <gtest/gtest.h>

#include <vector>

namespace q71 {
namespace {

struct Item {
    int value;
    explicit Item(int v) : value(v) {}
};

// The values of a walk from the head, in order.
std::vector<int> walk(LinkedList<Item>& list) {
    std::vector<int> values;
    for (Item* item = list.rewind(); item; item = list.advance())
        values.push_back(item->value);
    return values;
}

struct ListOfFive : testing::Test {
    Item items[5] = {Item(0), Item(1), Item(2), Item(3), Item(4)};
    LinkedList<Item> list;
    void SetUp() override {
        for (Item& item : items)
            list.appendItem(&item);
    }
};

TEST_F(ListOfFive, AppendAndPrependKeepOrderAndMoveTheCursor) {
    Item first(-1);
    EXPECT_EQ(list.prepend(&first), 6);
    EXPECT_EQ(list.current(), &first);
    EXPECT_EQ(walk(list), (std::vector<int>{-1, 0, 1, 2, 3, 4}));
    EXPECT_EQ(list.head()->item, &first);
    EXPECT_EQ(list.tail()->item, &items[4]);
    list.remove(&first);
}

TEST_F(ListOfFive, InsertBeforeFindsItsPlaceOrInsertsNothing) {
    Item a(10), b(11), stranger(99);
    EXPECT_EQ(list.insertBefore(&a, &items[2]), 1);
    EXPECT_EQ(list.insertBefore(&b, &items[0]), 1);
    EXPECT_EQ(list.insertBefore(&a, &stranger), 0);
    EXPECT_EQ(walk(list), (std::vector<int>{11, 0, 1, 10, 2, 3, 4}));
    EXPECT_EQ(list.count(), 7);
    list.remove(&a);
    list.remove(&b);

    LinkedList<Item> empty;
    EXPECT_EQ(empty.insertBefore(&a, &stranger), 0);
    EXPECT_EQ(empty.count(), 1) << "an empty list takes the item as its only node";
    EXPECT_EQ(empty.head()->item, &a);
}

TEST_F(ListOfFive, RemovingTheCurrentItemDuringAWalkVisitsEveryOther) {
    // Remove the even items while walking, including the head and the tail.
    std::vector<int> visited;
    for (Item* item = list.rewind(); item; item = list.advance()) {
        visited.push_back(item->value);
        if (item->value % 2 == 0)
            list.remove(item);
    }
    EXPECT_EQ(visited, (std::vector<int>{0, 1, 2, 3, 4}));
    EXPECT_EQ(walk(list), (std::vector<int>{1, 3}));
    EXPECT_EQ(list.count(), 2);
}

TEST_F(ListOfFive, RemovalMovesTheCursorToTheNeighbourThePartNames) {
    list.remove(&items[2]); // middle: the node before
    EXPECT_EQ(list.cursor()->item, &items[1]);
    list.remove(&items[4]); // tail: the new tail
    EXPECT_EQ(list.cursor()->item, &items[3]);
    list.remove(&items[0]); // head: the new head, which the next step reaches
    EXPECT_EQ(list.cursor()->item, &items[1]);
    EXPECT_EQ(list.advance(), &items[1]);
    EXPECT_EQ(list.remove(&items[0]), 2) << "removing an absent item changes nothing";
}

TEST_F(ListOfFive, NestedWalksSaveAndRestoreTheCursor) {
    list.rewind();
    list.advance(); // on 1
    list.saveCursor();
    EXPECT_EQ(walk(list).size(), 5u);
    list.restoreCursor();
    EXPECT_EQ(list.current(), &items[1]);
    EXPECT_EQ(list.depth(), 0);
}

TEST_F(ListOfFive, ASavedPositionOnARemovedItemContinuesFromItsNeighbour) {
    list.rewind();
    list.advance();
    list.advance(); // on 2
    list.saveCursor();
    list.remove(&items[2]);
    list.restoreCursor();
    EXPECT_EQ(list.advance(), &items[3]);

    list.rewind(); // on 0, the head
    list.saveCursor();
    list.remove(&items[0]);
    list.restoreCursor();
    EXPECT_EQ(list.advance(), &items[1]) << "the walk goes on with the new head";
}

TEST_F(ListOfFive, RemovingTheOnlyNodeEmptiesTheList) {
    LinkedList<Item> one;
    one.appendItem(&items[0]);
    EXPECT_EQ(one.remove(&items[0]), 0);
    EXPECT_EQ(one.head(), nullptr);
    EXPECT_EQ(one.tail(), nullptr);
    EXPECT_EQ(one.cursor(), nullptr);
    EXPECT_EQ(one.advance(), nullptr);
}

TEST(LinkedListOwnership, DeleteAllDeletesEveryItemAfterUnlinkingIt) {
    struct Counted {
        LinkedList<Counted>* list;
        int* deleted;
        ~Counted() {
            ++*deleted;
            // Nothing of the list refers to this item any more.
            for (Counted* c = list->rewind(); c; c = list->advance())
                EXPECT_NE(c, this);
        }
    };
    int deleted = 0;
    LinkedList<Counted> list;
    for (int i = 0; i < 4; ++i)
        list.appendItem(new Counted{&list, &deleted});
    list.deleteAll();
    EXPECT_EQ(deleted, 4);
    EXPECT_EQ(list.count(), 0);
    EXPECT_EQ(list.head(), nullptr);
}

TEST(LinkedListCursorStackDeathTest, OverflowAndUnderflowAreFatal) {
    LinkedList<Item> list;
    EXPECT_EXIT(list.restoreCursor(), testing::ExitedWithCode(1), "");
    EXPECT_EXIT(
        {
            for (int i = 0; i < 33; ++i)
                list.saveCursor();
        },
        testing::ExitedWithCode(1), "");
    for (int i = 0; i < 32; ++i)
        list.saveCursor();
    EXPECT_EQ(list.depth(), 32);
}

TEST(PtrListWalk, RemovingTheCurrentItemContinuesWithTheOneAfter) {
    int a = 1, b = 2, c = 3;
    PtrList<int> list;
    list.add(&a);
    list.add(&b);
    list.add(&c); // head first: c, b, a
    std::vector<int> seen;
    list.restart();
    while (int* item = list.next()) {
        seen.push_back(*item);
        if (item == &b)
            list.remove(&b);
    }
    EXPECT_EQ(seen, (std::vector<int>{3, 2, 1}));
    list.restart();
    EXPECT_EQ(list.next(), &c);
    EXPECT_EQ(list.next(), &a);
    EXPECT_EQ(list.next(), nullptr);
}

TEST(PtrListWalk, RemovingOtherItemsAndClearing) {
    int a = 1, b = 2;
    PtrList<int> list;
    list.add(&a);
    list.add(&b);
    list.remove(&a);
    list.restart();
    EXPECT_EQ(list.next(), &b);
    EXPECT_EQ(list.next(), nullptr);
    list.clear();
    EXPECT_TRUE(list.empty());
    list.restart();
    EXPECT_EQ(list.next(), nullptr);
}

} // namespace
} // namespace q71
