#include "sim/scoring/goal_tree.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cstring>

namespace q71 {
namespace {

GoalNode goal(std::int32_t id, const char* message = nullptr) {
    GoalNode node;
    node.id = id;
    if (message)
        node.message = message;
    return node;
}

std::vector<std::int32_t> levelIds(const GoalNode* first) {
    std::vector<std::int32_t> ids;
    for (; first; first = first->next)
        ids.push_back(first->id);
    return ids;
}

std::vector<std::uint8_t> written(const GoalTree& tree) {
    MemorySink sink;
    EXPECT_TRUE(tree.write(sink));
    return sink.bytes();
}

bool readInto(GoalTree& tree, const std::vector<std::uint8_t>& bytes) {
    MemorySource source(bytes);
    return tree.read(source);
}

// Appends little-endian 32-bit values, as the goal form holds them.
void put(std::vector<std::uint8_t>& bytes, std::int32_t value) {
    for (int i = 0; i < 4; ++i)
        bytes.push_back(static_cast<std::uint8_t>(static_cast<std::uint32_t>(value) >> (8 * i)));
}

// One node in the goal form: fixed bytes with only the id set, then message, data and children.
void putNode(std::vector<std::uint8_t>& bytes, std::int32_t id, std::int32_t messageLength,
             std::int32_t dataLength, std::int32_t children) {
    std::vector<std::uint8_t> fixed(kGoalNodeFixedSize, 0);
    std::memcpy(fixed.data(), &id, 4);
    bytes.insert(bytes.end(), fixed.begin(), fixed.end());
    put(bytes, messageLength);
    bytes.insert(bytes.end(), static_cast<size_t>(std::max(0, messageLength)), 'm');
    if (messageLength > 0)
        bytes.back() = 0;
    put(bytes, dataLength);
    bytes.insert(bytes.end(), static_cast<size_t>(std::max(0, dataLength)), 0xD5);
    put(bytes, children);
}

TEST(GoalTreeEditing, AddedNodesBecomeTheFirstOfTheirLevel) {
    GoalTree tree;
    GoalNode* a = tree.addNode(goal(0), nullptr);
    GoalNode* b = tree.addNode(goal(0), nullptr);
    GoalNode* child = tree.addNode(goal(0), a);
    EXPECT_EQ(levelIds(tree.root()), (std::vector<std::int32_t>{2, 1}));
    EXPECT_EQ(a->firstChild, child);
    EXPECT_EQ(child->parent, a);
    EXPECT_EQ(b->next, a);
    EXPECT_EQ(a->previous, b);
    EXPECT_EQ(tree.nextId(), 4);
}

TEST(GoalTreeEditing, AnIdOfItsOwnMovesTheNextIdPastIt) {
    GoalTree tree;
    tree.addNode(goal(7), nullptr);
    EXPECT_EQ(tree.nextId(), 8);
    tree.addNode(goal(3), nullptr);
    EXPECT_EQ(tree.nextId(), 8);
    EXPECT_EQ(tree.addNode(goal(0), nullptr)->id, 8);
}

TEST(GoalTreeEditing, AddCopiesTheMessageAndTheDataBlock) {
    GoalTree tree;
    GoalNode from = goal(0, "Objectif atteint");
    from.data = {1, 2, 3};
    from.next = &from; // links of the node handed in are not taken over
    GoalNode* added = tree.addNode(from, nullptr);
    from.message = "changé";
    from.data.clear();
    EXPECT_EQ(added->message, "Objectif atteint");
    EXPECT_EQ(added->data, (std::vector<std::uint8_t>{1, 2, 3}));
    EXPECT_EQ(added->next, nullptr);
}

TEST(GoalTreeEditing, DeleteFreesTheSubtreeAndRelinksTheLevel) {
    GoalTree tree;
    GoalNode* a = tree.addNode(goal(1), nullptr);
    GoalNode* b = tree.addNode(goal(2), nullptr);
    tree.addNode(goal(3), nullptr);
    tree.addNode(goal(4), tree.addNode(goal(5), b));
    tree.deleteNode(b);
    EXPECT_EQ(levelIds(tree.root()), (std::vector<std::int32_t>{3, 1}));
    EXPECT_EQ(tree.root()->next, a);
    EXPECT_EQ(a->previous, tree.root());
    EXPECT_EQ(goalTreeFindNode(tree.root(), 4), nullptr);
    tree.deleteNode(tree.root());
    EXPECT_EQ(levelIds(tree.root()), (std::vector<std::int32_t>{1}));
}

TEST(GoalTreeEditing, MoveRelinksAsFirstChildAndRefusesACycle) {
    GoalTree tree;
    GoalNode* a = tree.addNode(goal(1), nullptr);
    GoalNode* b = tree.addNode(goal(2), nullptr);
    GoalNode* c = tree.addNode(goal(3), b);
    EXPECT_TRUE(tree.moveNode(b, a));
    EXPECT_EQ(levelIds(tree.root()), (std::vector<std::int32_t>{1}));
    EXPECT_EQ(a->firstChild, b);
    EXPECT_EQ(b->parent, a);
    EXPECT_FALSE(tree.moveNode(a, c));
    EXPECT_FALSE(tree.moveNode(b, b));
    EXPECT_EQ(c->parent, b);
    EXPECT_TRUE(tree.moveNode(c, nullptr));
    EXPECT_EQ(levelIds(tree.root()), (std::vector<std::int32_t>{3, 1}));
    EXPECT_EQ(b->firstChild, nullptr);
}

TEST(GoalTreeEditing, FindSearchesSiblingsAndTheirChildrenDepthFirst) {
    GoalTree tree;
    GoalNode* a = tree.addNode(goal(1), nullptr);
    GoalNode* deep = tree.addNode(goal(4), tree.addNode(goal(3), a));
    tree.addNode(goal(2), nullptr);
    EXPECT_EQ(goalTreeFindNode(tree.root(), 4), deep);
    EXPECT_EQ(goalTreeFindNode(tree.root(), 1), a);
    EXPECT_EQ(goalTreeFindNode(tree.root(), 9), nullptr);
    // The search starts at the node given and does not look back.
    EXPECT_EQ(goalTreeFindNode(a, 2), nullptr);
}

TEST(GoalTreeEditing, SetTargetAndClear) {
    GoalTree tree;
    GoalNode* child = tree.addNode(goal(5), tree.addNode(goal(0), nullptr));
    tree.setTarget(5, 42);
    tree.setTarget(99, 43);
    EXPECT_EQ(child->targetId, 42);
    tree.clear();
    EXPECT_EQ(tree.root(), nullptr);
    EXPECT_EQ(tree.nextId(), 1);
}

TEST(GoalTreeRequired, AllRequiredGoalsAchievedLooksAtEveryLevel) {
    GoalTree tree;
    EXPECT_TRUE(tree.allRequiredAchieved());
    GoalNode* top = tree.addNode(goal(0), nullptr);
    GoalNode* deep = tree.addNode(goal(0), top);
    deep->required = 1;
    EXPECT_FALSE(tree.allRequiredAchieved());
    deep->achieved = 1;
    EXPECT_TRUE(tree.allRequiredAchieved());
    top->required = 2; // only 1 means required
    EXPECT_TRUE(tree.allRequiredAchieved());
}

TEST(GoalTreeForm, EveryFixedFieldComesBack) {
    GoalTree tree;
    GoalNode node = goal(12, "Sous-marin [ship name] au rendez-vous");
    for (size_t i = 0; i < node.carriedA.size(); ++i)
        node.carriedA[i] = static_cast<std::uint8_t>(i * 7 + 1);
    node.achieved = 1;
    node.kind = 20;
    node.carriedB = -5;
    node.centreX = 268800.25;
    node.centreY = -1.5;
    node.depthCondition = 6;
    node.subjectFilter = 44;
    node.radius = 1500.0;
    node.halfWidth = 10.5;
    node.halfHeight = 20.25;
    node.targetId = 31;
    node.carriedC = 0x7ABCDEF0;
    node.earliestTime = 60.0;
    node.latestTime = 3600.0;
    node.points = -150;
    node.action = 5;
    node.required = 1;
    node.data = {0, 255, 17};
    tree.addNode(node, nullptr);
    GoalTree back;
    ASSERT_TRUE(readInto(back, written(tree)));
    const GoalNode& got = *back.root();
    EXPECT_EQ(got.id, 12);
    EXPECT_EQ(got.carriedA, node.carriedA);
    EXPECT_EQ(got.achieved, 1);
    EXPECT_EQ(got.kind, 20);
    EXPECT_EQ(got.carriedB, -5);
    EXPECT_EQ(got.centreX, 268800.25);
    EXPECT_EQ(got.centreY, -1.5);
    EXPECT_EQ(got.depthCondition, 6);
    EXPECT_EQ(got.subjectFilter, 44);
    EXPECT_EQ(got.radius, 1500.0);
    EXPECT_EQ(got.halfWidth, 10.5);
    EXPECT_EQ(got.halfHeight, 20.25);
    EXPECT_EQ(got.targetId, 31);
    EXPECT_EQ(got.carriedC, 0x7ABCDEF0);
    EXPECT_EQ(got.earliestTime, 60.0);
    EXPECT_EQ(got.latestTime, 3600.0);
    EXPECT_EQ(got.points, -150);
    EXPECT_EQ(got.action, 5);
    EXPECT_EQ(got.required, 1);
    EXPECT_EQ(got.message, node.message);
    EXPECT_EQ(got.data, node.data);
}

TEST(GoalTreeForm, TheFixedBytesLieAtTheirOffsets) {
    GoalNode node = goal(0x01020304);
    node.kind = 9;
    node.centreX = 1.0;
    node.required = 1;
    std::array<std::uint8_t, kGoalNodeFixedSize> bytes{};
    goalNodeEncodeFixed(node, bytes);
    EXPECT_EQ(bytes[0], 0x04);
    EXPECT_EQ(bytes[3], 0x01);
    EXPECT_EQ(bytes[48], 9);
    EXPECT_EQ(bytes[63], 0x3F); // 1.0 as a little-endian double ends in 0x3F
    EXPECT_EQ(bytes[62], 0xF0);
    EXPECT_EQ(bytes[136], 1);
}

TEST(GoalTreeForm, MessagesAndDataCarryTheirLengths) {
    GoalTree tree;
    tree.addNode(goal(1, "ok"), nullptr);
    tree.addNode(goal(2), nullptr);
    std::vector<std::uint8_t> expected;
    put(expected, 2);
    putNode(expected, 2, 0, 0, 0);
    putNode(expected, 1, 3, 0, 0);
    expected[4 + kGoalNodeFixedSize + 4 + 4 + 4 + kGoalNodeFixedSize + 4] = 'o';
    expected[4 + kGoalNodeFixedSize + 4 + 4 + 4 + kGoalNodeFixedSize + 5] = 'k';
    EXPECT_EQ(written(tree), expected);
}

TEST(GoalTreeForm, ReadingReversesEveryLevelAndTwiceRestoresIt) {
    GoalTree tree;
    GoalNode* a = tree.addNode(goal(1), nullptr);
    tree.addNode(goal(2), nullptr);
    tree.addNode(goal(3), nullptr);
    tree.addNode(goal(11), a);
    tree.addNode(goal(12), a);
    ASSERT_EQ(levelIds(tree.root()), (std::vector<std::int32_t>{3, 2, 1}));

    GoalTree once;
    ASSERT_TRUE(readInto(once, written(tree)));
    EXPECT_EQ(levelIds(once.root()), (std::vector<std::int32_t>{1, 2, 3}));
    EXPECT_EQ(levelIds(once.root()->firstChild), (std::vector<std::int32_t>{11, 12}));

    GoalTree twice;
    ASSERT_TRUE(readInto(twice, written(once)));
    EXPECT_EQ(levelIds(twice.root()), (std::vector<std::int32_t>{3, 2, 1}));
    EXPECT_EQ(levelIds(goalTreeFindNode(twice.root(), 1)->firstChild), (std::vector<std::int32_t>{12, 11}));
    EXPECT_EQ(written(twice), written(tree));
}

TEST(GoalTreeForm, ReadingAssignsIdsToNodesWithoutOne) {
    std::vector<std::uint8_t> bytes;
    put(bytes, 3);
    putNode(bytes, 0, 0, 0, 0);
    putNode(bytes, 5, 0, 0, 0);
    putNode(bytes, 0, 0, 0, 0);
    GoalTree tree;
    ASSERT_TRUE(readInto(tree, bytes));
    EXPECT_EQ(levelIds(tree.root()), (std::vector<std::int32_t>{6, 5, 1}));
    EXPECT_EQ(tree.nextId(), 7);
}

TEST(GoalTreeForm, NegativeCountsMeanNoNodes) {
    std::vector<std::uint8_t> bytes;
    put(bytes, 1);
    putNode(bytes, 4, 0, 0, -3);
    GoalTree tree;
    ASSERT_TRUE(readInto(tree, bytes));
    EXPECT_EQ(levelIds(tree.root()), (std::vector<std::int32_t>{4}));
    bytes.clear();
    put(bytes, -1);
    ASSERT_TRUE(readInto(tree, bytes));
    EXPECT_EQ(tree.root(), nullptr);
}

TEST(GoalTreeForm, ADamagedFormLeavesAnEmptyTree) {
    struct Case {
        const char* what;
        std::vector<std::uint8_t> bytes;
    };
    std::vector<Case> cases;
    auto make = [&](const char* what, auto build) {
        std::vector<std::uint8_t> bytes;
        build(bytes);
        cases.push_back({what, bytes});
    };
    make("nothing at all", [](auto&) {});
    make("more nodes than bytes", [](auto& b) {
        put(b, 2);
        putNode(b, 1, 0, 0, 0);
    });
    make("a message longer than the file", [](auto& b) {
        put(b, 1);
        putNode(b, 1, 0, 0, 0);
        std::memset(b.data() + 4 + kGoalNodeFixedSize, 0x7F, 4);
    });
    make("a negative message length", [](auto& b) {
        put(b, 1);
        putNode(b, 1, -2, 0, 0);
    });
    make("a negative data length", [](auto& b) {
        put(b, 1);
        putNode(b, 1, 0, -1, 0);
    });
    make("a child count without children", [](auto& b) {
        put(b, 1);
        putNode(b, 1, 0, 0, 1);
    });
    make("a negative id", [](auto& b) {
        put(b, 1);
        putNode(b, -4, 0, 0, 0);
    });
    make("ids that run out", [](auto& b) {
        put(b, 2);
        putNode(b, 2147483646, 0, 0, 0);
        putNode(b, 0, 0, 0, 0);
    });
    make("levels nested too deep", [](auto& b) {
        put(b, 1);
        for (int depth = 0; depth <= kGoalTreeMaxDepth; ++depth)
            putNode(b, 0, 0, 0, 1);
        putNode(b, 0, 0, 0, 0);
    });
    for (const Case& c : cases) {
        GoalTree tree;
        tree.addNode(goal(0), nullptr);
        EXPECT_FALSE(readInto(tree, c.bytes)) << c.what;
        EXPECT_EQ(tree.root(), nullptr) << c.what;
        EXPECT_EQ(tree.nextId(), 1) << c.what;
    }
}

TEST(GoalTreeForm, TheDeepestAllowedNestingReads) {
    std::vector<std::uint8_t> bytes;
    put(bytes, 1);
    for (int depth = 1; depth < kGoalTreeMaxDepth; ++depth)
        putNode(bytes, 0, 0, 0, 1);
    putNode(bytes, 0, 0, 0, 0);
    GoalTree tree;
    EXPECT_TRUE(readInto(tree, bytes));
}

TEST(GoalTreeForm, AMessageWithoutItsTerminatorEndsAtTheLength) {
    std::vector<std::uint8_t> bytes;
    put(bytes, 1);
    putNode(bytes, 1, 3, 0, 0);
    bytes[4 + kGoalNodeFixedSize + 4 + 2] = 'z'; // the last byte is no terminator
    GoalTree tree;
    ASSERT_TRUE(readInto(tree, bytes));
    EXPECT_EQ(tree.root()->message, "mmz");
}

class GoalFiles : public testing::Test {
protected:
    void SetUp() override { goalTreeClear(); } // whatever tree a mission before left
    void TearDown() override { goalTreeClear(); }
    test::TempDir dir;
};

TEST_F(GoalFiles, SaveAndLoadUseTheNameWithG) {
    goalTreeAddNode(goal(0, "premier"), nullptr);
    const std::string name = dir.file("Sa1");
    ASSERT_TRUE(goalTreeSaveFile(name));
    EXPECT_EQ(goalTreeFileName(), name + "G");
    EXPECT_TRUE(std::filesystem::exists(name + "G"));
    goalTreeClear();
    ASSERT_TRUE(goalTreeLoadFile(name));
    ASSERT_NE(goalTreeRoot(), nullptr);
    EXPECT_EQ(goalTreeRoot()->message, "premier");
}

TEST_F(GoalFiles, AMissingFileLeavesAnEmptyTree) {
    goalTreeAddNode(goal(0), nullptr);
    EXPECT_TRUE(goalTreeLoadFile(dir.file("none")));
    EXPECT_EQ(goalTreeRoot(), nullptr);
    EXPECT_FALSE(std::filesystem::exists(dir.file("noneG")));
}

TEST_F(GoalFiles, ADamagedFileIsReportedAndLeavesAnEmptyTree) {
    dir.write("badG", "\x05\x00\x00\x00short");
    EXPECT_FALSE(goalTreeLoadFile(dir.file("bad")));
    EXPECT_EQ(goalTreeRoot(), nullptr);
}

TEST_F(GoalFiles, ReadFromAnOpenFileStopsAfterTheTree) {
    goalTreeAddNode(goal(0, "x"), nullptr);
    RecordFile out(dir.file("scn"), true, false, false);
    ASSERT_TRUE(goalTreeWrite(out));
    ASSERT_EQ(out.write("tail", 4), 1);
    out.close();
    goalTreeClear();
    RecordFile in(dir.file("scn"), false, true, false);
    ASSERT_TRUE(goalTreeRead(in));
    char tail[4];
    ASSERT_EQ(in.read(tail, 4), 1);
    EXPECT_EQ(std::string(tail, 4), "tail");
}

} // namespace
} // namespace q71
