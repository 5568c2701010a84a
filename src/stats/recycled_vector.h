#pragma once

#include <cstddef>
#include <new>
#include <vector>

namespace zentrix {

// Large blocks freed by one statistics computation are kept for the next one. A value list of
// tens of thousands of records is built from fresh memory every time otherwise, and touching
// fresh pages costs more than filling them.
namespace block_pool {
void* Allocate(size_t bytes);
void Deallocate(void* block, size_t bytes) noexcept;
}  // namespace block_pool

template <typename T>
struct TRecyclingAllocator {
    using value_type = T;
    TRecyclingAllocator() = default;
    template <typename U>
    TRecyclingAllocator(const TRecyclingAllocator<U>&) {}
    T* allocate(size_t n) { return static_cast<T*>(block_pool::Allocate(n * sizeof(T))); }
    void deallocate(T* p, size_t n) noexcept { block_pool::Deallocate(p, n * sizeof(T)); }
    template <typename U>
    bool operator==(const TRecyclingAllocator<U>&) const {
        return true;
    }
};

template <typename T>
using TRecycledVector = std::vector<T, TRecyclingAllocator<T>>;

}  // namespace zentrix
