#include "sim/scoring/goal_tree.h"

#include "sim/scoring/player_files.h"

#include <algorithm>
#include <limits>
#include <memory>
#include <utility>
#include <vector>

namespace q71 {
namespace {

// Reads one level of the goal form into `tree` under `parent`; false when the form is damaged.
bool readLevel(ByteSource& source, GoalTree& tree, GoalNode* parent, int depth) {
    std::int32_t count = 0;
    if (!source.readI32(count) || (count > 0 && depth > kGoalTreeMaxDepth))
        return false;
    for (std::int32_t i = 0; i < count; ++i) {
        std::array<std::uint8_t, kGoalNodeFixedSize> fixed{};
        if (!source.read(fixed))
            return false;
        GoalNode node;
        goalNodeDecodeFixed(fixed, node);
        if (node.id < 0)
            return false;

        std::int32_t length = 0;
        if (!source.readI32(length) || length < 0 || static_cast<std::uint64_t>(length) > source.remaining())
            return false;
        if (length > 0) {
            std::vector<std::uint8_t> text(static_cast<size_t>(length));
            if (!source.read(text))
                return false;
            const size_t end = std::find(text.begin(), text.end(), 0) - text.begin();
            node.message.emplace(reinterpret_cast<const char*>(text.data()), end);
        }
        if (!source.readI32(length) || length < 0 || static_cast<std::uint64_t>(length) > source.remaining())
            return false;
        node.data.resize(static_cast<size_t>(length));
        if (!source.read(node.data))
            return false;

        GoalNode* added = tree.addNode(node, parent);
        // The last id leaves no room for the ids after it: only a damaged file gets there.
        if (added->id == std::numeric_limits<std::int32_t>::max() ||
            !readLevel(source, tree, added, depth + 1))
            return false;
    }
    return true;
}

bool writeLevel(ByteSink& sink, const GoalNode* first) {
    std::int32_t count = 0;
    for (const GoalNode* node = first; node; node = node->next)
        ++count;
    if (!sink.writeI32(count))
        return false;
    for (const GoalNode* node = first; node; node = node->next) {
        std::array<std::uint8_t, kGoalNodeFixedSize> fixed{};
        goalNodeEncodeFixed(*node, fixed);
        if (!sink.write(fixed))
            return false;
        if (node->message) {
            const auto* text = reinterpret_cast<const std::uint8_t*>(node->message->c_str());
            if (!sink.writeI32(static_cast<std::int32_t>(node->message->size() + 1)) ||
                !sink.write({text, node->message->size() + 1}))
                return false;
        } else if (!sink.writeI32(0)) {
            return false;
        }
        if (!sink.writeI32(static_cast<std::int32_t>(node->data.size())) || !sink.write(node->data))
            return false;
        if (!writeLevel(sink, node->firstChild))
            return false;
    }
    return true;
}

bool isInside(const GoalNode* node, const GoalNode* ancestor) {
    for (; node; node = node->parent)
        if (node == ancestor)
            return true;
    return false;
}

std::string& fileName() {
    static std::string name;
    return name;
}

} // namespace

GoalTree& GoalTree::operator=(GoalTree&& other) noexcept {
    if (this != &other) {
        clear();
        root_ = std::exchange(other.root_, nullptr);
        nextId_ = std::exchange(other.nextId_, 1);
    }
    return *this;
}

GoalNode* GoalTree::addNode(const GoalNode& from, GoalNode* parent) {
    auto node = std::make_unique<GoalNode>(from);
    node->next = node->previous = node->firstChild = node->parent = nullptr;
    constexpr std::int32_t kLastId = std::numeric_limits<std::int32_t>::max();
    if (node->id == 0)
        node->id = nextId_;
    if (node->id >= nextId_)
        nextId_ = node->id == kLastId ? kLastId : node->id + 1;
    link(node.get(), parent);
    return node.release();
}

void GoalTree::deleteNode(GoalNode* node) {
    if (!node)
        return;
    unlink(node);
    std::vector<GoalNode*> doomed{node};
    goalTreeForEach(node->firstChild, [&](GoalNode& child) { doomed.push_back(&child); });
    for (GoalNode* each : doomed)
        delete each;
}

bool GoalTree::moveNode(GoalNode* node, GoalNode* parent) {
    if (!node || isInside(parent, node))
        return false;
    unlink(node);
    link(node, parent);
    return true;
}

void GoalTree::setTarget(std::int32_t id, std::int32_t entityId) {
    if (GoalNode* node = goalTreeFindNode(root_, id))
        node->targetId = entityId;
}

void GoalTree::clear() {
    while (root_)
        deleteNode(root_);
    nextId_ = 1;
}

bool GoalTree::allRequiredAchieved() const {
    bool all = true;
    goalTreeForEach(root_, [&](const GoalNode& node) {
        if (node.required == 1 && node.achieved == 0)
            all = false;
    });
    return all;
}

bool GoalTree::read(ByteSource& source) {
    GoalTree fresh;
    const bool whole = readLevel(source, fresh, nullptr, 1);
    *this = whole ? std::move(fresh) : GoalTree();
    return whole;
}

bool GoalTree::write(ByteSink& sink) const {
    return writeLevel(sink, root_);
}

void GoalTree::unlink(GoalNode* node) {
    if (node->previous)
        node->previous->next = node->next;
    else if (node->parent)
        node->parent->firstChild = node->next;
    else if (root_ == node)
        root_ = node->next;
    if (node->next)
        node->next->previous = node->previous;
    node->next = node->previous = node->parent = nullptr;
}

void GoalTree::link(GoalNode* node, GoalNode* parent) {
    GoalNode*& first = parent ? parent->firstChild : root_;
    node->parent = parent;
    node->previous = nullptr;
    node->next = first;
    if (first)
        first->previous = node;
    first = node;
}

GoalNode* goalTreeFindNode(GoalNode* first, std::int32_t id) {
    GoalNode* found = nullptr;
    goalTreeForEach(first, [&](GoalNode& node) {
        if (!found && node.id == id)
            found = &node;
    });
    return found;
}

GoalTree& goalTree() {
    static GoalTree tree;
    return tree;
}

GoalNode* goalTreeRoot() {
    return goalTree().root();
}
GoalNode* goalTreeAddNode(const GoalNode& node, GoalNode* parent) {
    return goalTree().addNode(node, parent);
}
void goalTreeDeleteNode(GoalNode* node) {
    goalTree().deleteNode(node);
}
bool goalTreeMoveNode(GoalNode* node, GoalNode* parent) {
    return goalTree().moveNode(node, parent);
}
void goalTreeSetTarget(std::int32_t id, std::int32_t entityId) {
    goalTree().setTarget(id, entityId);
}
void goalTreeClear() {
    goalTree().clear();
}
int allRequiredGoalsAchieved() {
    return goalTree().allRequiredAchieved() ? 1 : 0;
}

bool goalTreeRead(RecordFile& file) {
    RecordFileSource source(file);
    return goalTree().read(source);
}

bool goalTreeWrite(RecordFile& file) {
    RecordFileSink sink(file);
    return goalTree().write(sink);
}

bool goalTreeLoadFile(const std::string& name) {
    goalTreeSetFileName(name);
    RecordFile file(fileName(), false, true, false);
    if (!file.isOpen()) {
        goalTreeClear();
        return true;
    }
    return goalTreeRead(file);
}

bool goalTreeSaveFile(const std::string& name) {
    goalTreeSetFileName(name);
    MemorySink sink;
    return goalTree().write(sink) && fileReplaceContents(fileName(), sink.bytes());
}

const std::string& goalTreeFileName() {
    return fileName();
}

void goalTreeSetFileName(const std::string& name) {
    fileName() = name + "G";
}

} // namespace q71
