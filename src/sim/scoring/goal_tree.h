#pragma once
// The goal tree of a mission: goals on levels, each node's children a level of their own that
// counts only once the node is achieved. Scoring evaluates events against it, the mission
// editor builds it, the scenario, goal and saved-mission files carry it. GoalTree is one tree;
// the goalTree* functions work on the one tree of the running mission.

#include "framework/resources/record_file.h"
#include "sim/scoring/byte_stream.h"
#include "sim/scoring/goal_node.h"

#include <string>

namespace q71 {

/// Deepest nesting of goal levels a file may hold; deeper files are damaged.
inline constexpr int kGoalTreeMaxDepth = 64;

class GoalTree {
public:
    GoalTree() = default;
    ~GoalTree() { clear(); }
    GoalTree(const GoalTree&) = delete;
    GoalTree& operator=(const GoalTree&) = delete;
    GoalTree(GoalTree&& other) noexcept { *this = std::move(other); }
    GoalTree& operator=(GoalTree&& other) noexcept;

    /// The first node of the root level, or null.
    GoalNode* root() const { return root_; }
    /// The id the next node handed in with id 0 gets.
    std::int32_t nextId() const { return nextId_; }

    /// A copy of the node (fixed fields, message, data) made the first child of `parent`, or the
    /// first root node when parent is null. Id 0 takes the next id; a higher id moves the next id past it.
    GoalNode* addNode(const GoalNode& from, GoalNode* parent);
    /// Unlinks the node and frees it with its subtree.
    void deleteNode(GoalNode* node);
    /// Makes the node the first child of `parent` (or the first root node); false, and nothing
    /// changed, when parent lies inside the node's own subtree.
    bool moveNode(GoalNode* node, GoalNode* parent);
    /// Sets the target entity of the node with that id; nothing when there is none.
    void setTarget(std::int32_t id, std::int32_t entityId);
    /// Frees every node; the next id is 1 again.
    void clear();
    /// True when no node is required and not achieved.
    bool allRequiredAchieved() const;

    /// Replaces the tree with the one read from the goal form; false, and an empty tree, when
    /// the form is damaged (a length beyond the input, a short read, too deep a nesting).
    bool read(ByteSource& source);
    /// Writes the whole tree in the goal form; false when a write fails.
    bool write(ByteSink& sink) const;

private:
    void unlink(GoalNode* node);
    void link(GoalNode* node, GoalNode* parent);

    GoalNode* root_ = nullptr;
    std::int32_t nextId_ = 1;
};

/// The node with that id among `first`, its following siblings and, depth first, their children.
GoalNode* goalTreeFindNode(GoalNode* first, std::int32_t id);

/// Calls `visit` on `first`, its following siblings and all their descendants, depth first.
template <class Visit> void goalTreeForEach(GoalNode* first, Visit visit) {
    GoalNode* const top = first ? first->parent : nullptr;
    for (GoalNode* node = first; node;) {
        GoalNode* following = node->firstChild;
        visit(*node);
        if (!following) {
            while (!node->next && node->parent != top)
                node = node->parent;
            following = node->next;
        }
        node = following;
    }
}

/// The goal tree of the running mission.
GoalTree& goalTree();

/// The first root node of the mission's tree.
GoalNode* goalTreeRoot();
/// GoalTree::addNode on the mission's tree.
GoalNode* goalTreeAddNode(const GoalNode& node, GoalNode* parent);
/// GoalTree::deleteNode on the mission's tree.
void goalTreeDeleteNode(GoalNode* node);
/// GoalTree::moveNode on the mission's tree.
bool goalTreeMoveNode(GoalNode* node, GoalNode* parent);
/// GoalTree::setTarget on the mission's tree.
void goalTreeSetTarget(std::int32_t id, std::int32_t entityId);
/// Frees the mission's tree; the next id is 1 again.
void goalTreeClear();
/// 1 when no node of the mission's tree is required and not achieved.
int allRequiredGoalsAchieved();

/// Clears the mission's tree and reads it from an open file; false when the form is damaged.
bool goalTreeRead(RecordFile& file);
/// Writes the mission's tree to an open file; false when a write fails.
bool goalTreeWrite(RecordFile& file);
/// Reads the mission's tree from the goal file `name` + "G"; a missing file leaves an empty
/// tree; false when the file is damaged.
bool goalTreeLoadFile(const std::string& name);
/// Writes the mission's tree to the goal file `name` + "G"; false when it cannot be written.
bool goalTreeSaveFile(const std::string& name);
/// The goal file name of the mission: its name + "G".
const std::string& goalTreeFileName();
/// Sets the goal file name to `name` + "G".
void goalTreeSetFileName(const std::string& name);

} // namespace q71
