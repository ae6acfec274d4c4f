#pragma once
// A small singly walked list of item pointers whose cursor survives the removal of the
// current item; the 3-D model and texture caches use it. New items go to the head.
//
// A walk:  list.restart(); while (T* item = list.next()) { ... }

namespace q71 {

template <class T>
class PtrList {
public:
    PtrList() = default;
    PtrList(const PtrList&) = delete;
    PtrList& operator=(const PtrList&) = delete;
    ~PtrList() { clear(); }

    /// A new node at the head.
    void add(T* item) {
        Node* node = new Node{nullptr, head_, item};
        if (head_)
            head_->previous = node;
        head_ = node;
        skip_ = false;
    }

    /// Unlinks and frees the first node holding the item; a walk standing on it goes on with the next.
    void remove(T* item) {
        Node* node = head_;
        while (node && node->item != item)
            node = node->next;
        if (!node)
            return;
        if (node->previous)
            node->previous->next = node->next;
        else
            head_ = node->next;
        if (node->next)
            node->next->previous = node->previous;
        if (node == cursor_) {
            cursor_ = node->next;
            skip_ = true;
        }
        delete node;
    }

    /// With restart 1 the cursor goes to the head; otherwise it advances unless the current
    /// node was removed. Returns the cursor's item, or null at the end.
    T* iterate(int restart) {
        if (restart == 1) {
            cursor_ = head_;
            skip_ = false;
        } else if (skip_) {
            skip_ = false;
        } else if (cursor_) {
            cursor_ = cursor_->next;
        }
        return cursor_ ? cursor_->item : nullptr;
    }

    /// The next walk step starts at the head.
    void restart() { restart_ = true; }
    /// One step of a walk.
    T* next() {
        T* item = iterate(restart_ ? 1 : 0);
        restart_ = false;
        return item;
    }

    /// Frees every node (not the items).
    void clear() {
        while (Node* node = head_) {
            head_ = node->next;
            delete node;
        }
        cursor_ = nullptr;
        skip_ = restart_ = false;
    }

    bool empty() const { return head_ == nullptr; }

private:
    struct Node {
        Node* previous;
        Node* next;
        T* item;
    };
    Node* head_ = nullptr;
    Node* cursor_ = nullptr;
    bool skip_ = false;
    bool restart_ = false;
};

} // namespace q71
