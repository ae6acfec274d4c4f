#include "platform/controls/list_items.h"

#include <gtest/gtest.h>

namespace q71 {
namespace {

ListItems itemsOfHeights(std::initializer_list<int> heights) {
    ListItems items(10, true);
    for (int h : heights)
        items.add({"", 0, h});
    return items;
}

TEST(ListItems, AViewOfFixedHeightItemsScrollsNoFurtherThanTheLastFullPage) {
    ListItems items(15, false);
    for (int i = 0; i < 10; ++i)
        items.add({std::to_string(i), i});
    EXPECT_EQ(items.maxTop(50), 7); // 7, 8 and 9 fill 45 of 50 pixels
    EXPECT_EQ(items.fullyVisible(50), 3);
    EXPECT_FALSE(items.scrollTo(-4, 50));
    EXPECT_TRUE(items.scrollTo(99, 50));
    EXPECT_EQ(items.top(), 7);
    EXPECT_EQ(items.itemAt(0), 7);
    EXPECT_EQ(items.itemAt(44), 9);
    EXPECT_EQ(items.itemAt(45), -1);
    EXPECT_EQ(items.offsetOf(5), -30);
    ListItems few(15, false);
    few.add({});
    EXPECT_EQ(few.maxTop(50), 0);
}

TEST(ListItems, ItemsOfTheirOwnHeightScrollAsLittleAsNeeded) {
    ListItems items = itemsOfHeights({10, 30, 10, 10, 40, 10});
    EXPECT_TRUE(items.ensureVisible(4, 50)); // 40 high: it and the one before fit in 50
    EXPECT_EQ(items.top(), 3);
    EXPECT_EQ(items.offsetOf(4), 10);
    EXPECT_FALSE(items.ensureVisible(3, 50));
    EXPECT_TRUE(items.ensureVisible(1, 50));
    EXPECT_EQ(items.top(), 1);
    EXPECT_EQ(items.maxTop(50), 4);
    // An item taller than the view stands at its top.
    ListItems tall = itemsOfHeights({10, 80, 10});
    tall.ensureVisible(1, 50);
    EXPECT_EQ(tall.top(), 1);
}

TEST(ListItems, RemovingItemsKeepsTheSelectionOnTheSameItem) {
    ListItems items(10, false);
    for (int i = 0; i < 5; ++i)
        items.add({std::to_string(i)});
    EXPECT_TRUE(items.select(3));
    EXPECT_FALSE(items.select(3));
    items.erase(1);
    EXPECT_EQ(items.selection(), 2);
    EXPECT_EQ(items.at(2).text, "3");
    items.erase(2);
    EXPECT_EQ(items.selection(), -1);
    EXPECT_FALSE(items.select(17));
    items.scrollTo(2, 10);
    items.clear();
    EXPECT_EQ(items.top(), 0);
    EXPECT_EQ(items.count(), 0);
}

TEST(ListItems, FindingATextIgnoresCaseAccentsIncludedAndWrapsRoundFromTheStart) {
    ListItems items(10, false);
    for (const char* text : {"Sonar", "rel\xE8vement", "Immersion", "sonar"})
        items.add({text});
    EXPECT_EQ(items.findExact("SONAR", -1), 0);
    EXPECT_EQ(items.findExact("SONAR", 0), 3);
    EXPECT_EQ(items.findExact("sonar", 3), 0);
    EXPECT_EQ(items.findExact("REL\xC8VEMENT", -1), 1);
    EXPECT_EQ(items.findExact("relevement", -1), -1);
    EXPECT_EQ(items.findExact("Immersio", -1), -1);
}

} // namespace
} // namespace q71
