#include "stats/recycled_vector.h"

#include <array>
#include <bit>

namespace zentrix::block_pool {

namespace {

// Blocks below this size come and go through the ordinary allocator.
constexpr size_t kMinBlock = size_t{64} << 10;
// At most this much is kept per thread.
constexpr size_t kMaxKept = size_t{64} << 20;
constexpr int kClasses = 48;

// Size classes are powers of two, so a kept block fits any later request of its class.
int ClassOf(size_t bytes) {
    return std::bit_width(bytes - 1);
}

class TPool {
  public:
    ~TPool() {
        alive_ = false;
        for (auto& list : free_)
            for (void* p : list) ::operator delete(p);
    }
    static bool Alive() { return alive_; }

    void* Take(int cls) {
        auto& list = free_[cls];
        if (list.empty()) return ::operator new (size_t{1} << cls);
        void* p = list.back();
        list.pop_back();
        kept_ -= size_t{1} << cls;
        return p;
    }
    void Give(void* p, int cls) {
        const size_t size = size_t{1} << cls;
        if (kept_ + size > kMaxKept) {
            ::operator delete(p);
            return;
        }
        free_[cls].push_back(p);
        kept_ += size;
    }

  private:
    std::array<std::vector<void*>, kClasses> free_;
    size_t kept_ = 0;
    static thread_local bool alive_;
};

thread_local bool TPool::alive_ = true;

TPool& Pool() {
    thread_local TPool pool;
    return pool;
}

}  // namespace

void* Allocate(size_t bytes) {
    if (bytes < kMinBlock || !TPool::Alive()) return ::operator new(bytes);
    const int cls = ClassOf(bytes);
    if (cls >= kClasses) throw std::bad_alloc();
    return Pool().Take(cls);
}

void Deallocate(void* block, size_t bytes) noexcept {
    if (!block) return;
    if (bytes < kMinBlock) {
        ::operator delete(block);
        return;
    }
    // A block of the pool's size class: after the pool is gone (static objects destroyed at
    // exit) it goes straight back to the system.
    if (!TPool::Alive()) {
        ::operator delete(block);
        return;
    }
    Pool().Give(block, ClassOf(bytes));
}

}  // namespace zentrix::block_pool
