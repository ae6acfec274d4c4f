#pragma once
// A store of list nodes that keeps them in blocks and reuses the freed ones: a list that gains
// and loses items every second then allocates nothing once it has held its most, and its nodes
// lie together rather than wherever the heap put them.
//
//   LinkedList<Item, PooledListNodes<Item>> list;

#include "framework/lists/linked_list.h"

#include <cstddef>
#include <memory>
#include <vector>

namespace q71 {

template <class T>
class PooledListNodes {
public:
    using Node = LinkedListNode<T>;

    PooledListNodes() = default;
    PooledListNodes(const PooledListNodes&) = delete;
    PooledListNodes& operator=(const PooledListNodes&) = delete;

    Node* make(const Node& value) {
        if (!free_)
            grow();
        Node* node = free_;
        free_ = node->next;
        *node = value;
        return node;
    }

    void release(Node* node) {
        *node = Node{nullptr, free_, nullptr};
        free_ = node;
    }

    /// Nodes held, in use or free.
    std::size_t capacity() const { return capacity_; }

private:
    static constexpr std::size_t kFirstBlock = 16;

    // A block as large as all before it, its nodes chained in address order so that a list
    // filled from empty lies in order in memory.
    void grow() {
        const std::size_t size = capacity_ == 0 ? kFirstBlock : capacity_;
        blocks_.push_back(std::make_unique<Node[]>(size));
        Node* block = blocks_.back().get();
        for (std::size_t i = 0; i + 1 < size; ++i)
            block[i].next = &block[i + 1];
        block[size - 1].next = free_;
        free_ = block;
        capacity_ += size;
    }

    std::vector<std::unique_ptr<Node[]>> blocks_;
    Node* free_ = nullptr;
    std::size_t capacity_ = 0;
};

} // namespace q71
