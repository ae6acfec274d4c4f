#pragma once
// A doubly linked list of item pointers with one built-in cursor and a stack of 32 saved
// cursor positions, so that a walk of the list can be interrupted by a nested walk of the
// same list. The world's entity lists, the editor's objects and chart symbols use it.
//
// A walk:  for (T* item = list.rewind(); item; item = list.advance()) { ... }
// Removing the current item inside a walk leaves the walk on the item that followed it.
//
// Nodes come from the heap, one block each, unless the list is given a store of its own (a list
// that changes every second can keep its nodes together and reuse them).

#include "framework/app/reporter.h"
#include "framework/textmngr/text_manager.h"

#include <cstdint>

namespace q71 {

/// A place in a list: its item and its neighbours.
template <class T>
struct LinkedListNode {
    T* item = nullptr;
    LinkedListNode* next = nullptr;
    LinkedListNode* previous = nullptr;
};

/// Where a list's nodes come from by default: one heap block each.
struct HeapListNodes {
    template <class Node>
    Node* make(const Node& value) {
        return new Node(value);
    }
    template <class Node>
    void release(Node* node) {
        delete node;
    }
};

template <class T, class NodeStore = HeapListNodes>
class LinkedList {
public:
    using Node = LinkedListNode<T>;

    LinkedList() = default;
    LinkedList(const LinkedList&) = delete;
    LinkedList& operator=(const LinkedList&) = delete;
    /// Frees the nodes; the items stay (deleteAll deletes them).
    ~LinkedList() { freeNodes(); }

    /// A new node at the head, made the cursor; returns the new count.
    int prepend(T* item);
    /// A new node at the tail, made the cursor; returns the new count.
    int appendItem(T* item);
    /// Inserts in front of the node holding `before`; 1 when inserted (0 when not found, or
    /// when the list was empty and the item became its only node).
    int insertBefore(T* item, T* before);
    /// Unlinks and frees the first node holding the item; returns the new count.
    int remove(T* item);
    /// Unlinks and frees a node of this list, as remove() does once it found it.
    int removeNode(Node* node);
    /// Moves the cursor to the following node: 1 when it moved, 0 at the end.
    int next();
    /// Deletes every item and frees every node.
    void deleteAll();
    /// Frees every node without deleting the items.
    void freeNodes();

    /// Pushes the cursor (fatal beyond 32 saved positions).
    void saveCursor();
    /// Pops the cursor (fatal without a saved position).
    void restoreCursor();

    /// Puts the cursor on the head; returns its item, or null for an empty list.
    T* rewind() {
        cursor_ = head_;
        beforeHead_ = false;
        return current();
    }
    /// next() and the item under the cursor, or null at the end.
    T* advance() { return next() ? current() : nullptr; }
    /// The item under the cursor, or null.
    T* current() const { return cursor_ && !beforeHead_ ? cursor_->item : nullptr; }

    Node* head() const { return head_; }
    Node* tail() const { return tail_; }
    Node* cursor() const { return cursor_; }
    void setCursor(Node* node) {
        cursor_ = node;
        beforeHead_ = false;
    }
    int count() const { return count_; }
    bool empty() const { return count_ == 0; }
    /// Changes with every node added or taken away, so that an index kept beside the list can
    /// tell that it must be made again.
    std::uint64_t revision() const { return revision_; }
    int depth() const { return depth_; }

private:
    static constexpr int kStackSize = 32;

    // One cursor position. `beforeHead` marks the place in front of the head, where a walk
    // stands after its current item, the head, was removed: the next step reaches the new head.
    struct Position {
        Node* node = nullptr;
        bool beforeHead = false;
    };

    Node* findNode(T* item);

    [[no_unique_address]] NodeStore nodes_;
    Position stack_[kStackSize];
    int depth_ = 0;
    Node* head_ = nullptr;
    Node* tail_ = nullptr;
    Node* cursor_ = nullptr;
    bool beforeHead_ = false;
    int count_ = 0;
    std::uint64_t revision_ = 0;
};

template <class T, class NodeStore>
int LinkedList<T, NodeStore>::prepend(T* item) {
    Node* node = nodes_.make(Node{item, head_, nullptr});
    if (head_)
        head_->previous = node;
    else
        tail_ = node;
    head_ = node;
    setCursor(node);
    ++revision_;
    return ++count_;
}

template <class T, class NodeStore>
int LinkedList<T, NodeStore>::appendItem(T* item) {
    Node* node = nodes_.make(Node{item, nullptr, tail_});
    if (tail_)
        tail_->next = node;
    else
        head_ = node;
    tail_ = node;
    setCursor(node);
    ++revision_;
    return ++count_;
}

template <class T, class NodeStore>
typename LinkedList<T, NodeStore>::Node* LinkedList<T, NodeStore>::findNode(T* item) {
    // The cursor walks along, as the list has always done; callers inside a walk save it first.
    for (rewind(); cursor_; cursor_ = cursor_->next)
        if (cursor_->item == item)
            return cursor_;
    return nullptr;
}

template <class T, class NodeStore>
int LinkedList<T, NodeStore>::insertBefore(T* item, T* before) {
    if (!head_) {
        head_ = tail_ = nodes_.make(Node{item, nullptr, nullptr});
        setCursor(head_);
        count_ = 1;
        ++revision_;
        return 0;
    }
    Node* at = findNode(before);
    if (!at)
        return 0;
    Node* node = nodes_.make(Node{item, at, at->previous});
    if (at->previous)
        at->previous->next = node;
    else
        head_ = node;
    at->previous = node;
    ++count_;
    ++revision_;
    return 1;
}

template <class T, class NodeStore>
int LinkedList<T, NodeStore>::remove(T* item) {
    Node* node = findNode(item);
    return node ? removeNode(node) : count_;
}

template <class T, class NodeStore>
int LinkedList<T, NodeStore>::removeNode(Node* node) {
    Position after;
    if (node == head_ && node == tail_) {
        head_ = tail_ = nullptr;
    } else if (node == head_) {
        head_ = node->next;
        head_->previous = nullptr;
        after = {head_, true};
    } else if (node == tail_) {
        tail_ = node->previous;
        tail_->next = nullptr;
        after = {tail_, false};
    } else {
        node->previous->next = node->next;
        node->next->previous = node->previous;
        after = {node->previous, false};
    }
    cursor_ = after.node;
    beforeHead_ = after.beforeHead;
    for (int i = 0; i < depth_; ++i)
        if (stack_[i].node == node)
            stack_[i] = after;
    nodes_.release(node);
    ++revision_;
    return --count_;
}

template <class T, class NodeStore>
int LinkedList<T, NodeStore>::next() {
    if (beforeHead_ && cursor_) {
        beforeHead_ = false;
        return 1;
    }
    if (cursor_ && cursor_->next) {
        cursor_ = cursor_->next;
        return 1;
    }
    return 0;
}

template <class T, class NodeStore>
void LinkedList<T, NodeStore>::deleteAll() {
    // Each node is unlinked before its item is deleted, so that a destructor that looks at the
    // list (an entity telling the observers it goes) never meets a deleted item.
    depth_ = 0;
    while (Node* node = head_) {
        head_ = node->next;
        if (head_)
            head_->previous = nullptr;
        else
            tail_ = nullptr;
        setCursor(head_);
        --count_;
        ++revision_;
        T* item = node->item;
        nodes_.release(node);
        delete item;
    }
}

template <class T, class NodeStore>
void LinkedList<T, NodeStore>::freeNodes() {
    for (Node* node = head_; node;) {
        Node* following = node->next;
        nodes_.release(node);
        node = following;
    }
    head_ = tail_ = cursor_ = nullptr;
    beforeHead_ = false;
    count_ = 0;
    depth_ = 0;
    ++revision_;
}

template <class T, class NodeStore>
void LinkedList<T, NodeStore>::saveCursor() {
    if (depth_ >= kStackSize)
        reportFatal(textGetString(868), 306, "linkedLi", 0);
    stack_[depth_++] = {cursor_, beforeHead_};
}

template <class T, class NodeStore>
void LinkedList<T, NodeStore>::restoreCursor() {
    if (depth_ < 1)
        reportFatal(textGetString(868), 314, "linkedLi", 0);
    const Position& top = stack_[--depth_];
    cursor_ = top.node;
    beforeHead_ = top.beforeHead;
}

} // namespace q71
