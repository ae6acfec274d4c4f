#pragma once
// Every form of the global operator new and delete, taken to two functions the program that
// includes this defines: replacedAllocate (malloc's memory, std::bad_alloc when there is none)
// and replacedFree (null or a block of replacedAllocate). For programs that count their
// allocations; include it in one file of a program only.

#include <cstddef>
#include <new>

void* replacedAllocate(std::size_t size);
void replacedFree(void* p) noexcept;

void* operator new(std::size_t size) {
    return replacedAllocate(size);
}
void* operator new[](std::size_t size) {
    return replacedAllocate(size);
}
// The forms that answer null rather than throw (a sort's buffer) come from the same heap.
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    try {
        return replacedAllocate(size);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept {
    return operator new(size, tag);
}
// The blocks come from malloc, so free is their match; the compiler, which sees a new expression
// paired with this delete, does not know that.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void operator delete(void* p) noexcept {
    replacedFree(p);
}
#pragma GCC diagnostic pop
void operator delete[](void* p) noexcept {
    replacedFree(p);
}
void operator delete(void* p, std::size_t) noexcept {
    replacedFree(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    replacedFree(p);
}
void operator delete(void* p, const std::nothrow_t&) noexcept {
    replacedFree(p);
}
void operator delete[](void* p, const std::nothrow_t&) noexcept {
    replacedFree(p);
}
