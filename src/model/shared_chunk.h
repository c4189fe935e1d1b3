// One chunk of a SharedVector: a vector of elements counted by the vectors that own it.
#pragma once

#include <atomic>
#include <utility>
#include <vector>

namespace marrowick {

// Like std::shared_ptr<std::vector<T>>, with one difference that matters across threads: unique()
// reads the owner count with acquire ordering. When it answers true, every other thread that
// released its copy has finished reading the elements, so the owner may write them in place.
// (shared_ptr::use_count() is a relaxed read and gives no such ordering.)
template <class T>
class SharedChunk {
public:
    SharedChunk() : block_(new Block{}) {}
    explicit SharedChunk(std::vector<T> items) : block_(new Block{std::move(items)}) {}
    SharedChunk(const SharedChunk& other) noexcept : block_(other.block_) {
        block_->owners.fetch_add(1, std::memory_order_relaxed);
    }
    SharedChunk(SharedChunk&& other) noexcept : block_(std::exchange(other.block_, nullptr)) {}
    SharedChunk& operator=(SharedChunk other) noexcept {
        std::swap(block_, other.block_);
        return *this;
    }
    ~SharedChunk() {
        if (block_ && block_->owners.fetch_sub(1, std::memory_order_acq_rel) == 1) delete block_;
    }

    std::vector<T>& operator*() const { return block_->items; }
    std::vector<T>* operator->() const { return &block_->items; }
    std::vector<T>* get() const { return &block_->items; }

    bool unique() const { return block_->owners.load(std::memory_order_acquire) == 1; }

    friend bool operator==(const SharedChunk& a, const SharedChunk& b) { return a.block_ == b.block_; }

private:
    struct Block {
        std::vector<T> items;
        std::atomic<long> owners{1};
    };
    Block* block_;
};

}  // namespace marrowick
