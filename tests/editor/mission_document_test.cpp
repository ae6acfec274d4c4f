#include "editor/missioneditor/mission_document.h"

#include <gtest/gtest.h>

namespace q71 {
namespace {

struct Marker : MapObject {
    int* alive;
    explicit Marker(int* counter) : MapObject(0.0, 0.0, nullptr, nullptr), alive(counter) { ++*alive; }
    ~Marker() override { --*alive; }
};

TEST(MissionDocument, AddingAnObjectAppendsItAndMarksTheDocumentChanged) {
    int alive = 0;
    {
        MissionDocument document;
        EXPECT_FALSE(document.changed);
        auto* first = new Marker(&alive);
        auto* second = new Marker(&alive);
        document.addObject(first);
        document.objects.rewind(); // the cursor stands elsewhere: the object still goes to the tail
        document.addObject(second);
        EXPECT_TRUE(document.changed);
        EXPECT_EQ(document.objects.count(), 2);
        EXPECT_EQ(document.objects.tail()->item, second);
        EXPECT_EQ(document.objects.head()->item, first);
        EXPECT_EQ(alive, 2);
    }
    EXPECT_EQ(alive, 0) << "the document owns its objects";
}

} // namespace
} // namespace q71
