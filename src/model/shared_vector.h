// A vector whose copies share storage in chunks and copy only the chunk a write touches.
//
// A project holds up to 200,000 shots and the workspace keeps 30 undo snapshots of it; with this
// container a snapshot costs one pointer per chunk, and a single-shot edit copies one chunk.
// Not thread-safe for concurrent writers; copies may be read on other threads freely.
#pragma once

#include <algorithm>
#include <cassert>
#include <cstddef>
#include <initializer_list>
#include <iterator>
#include <vector>

#include "model/shared_chunk.h"

namespace marrowick {

template <class T>
class SharedVector {
public:
    static constexpr std::size_t kChunkSize = 256;

    class const_iterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = T;
        using difference_type = std::ptrdiff_t;
        using pointer = const T*;
        using reference = const T&;

        const_iterator() = default;
        reference operator*() const { return (*(*owner_)[chunk_])[offset_]; }
        pointer operator->() const { return &**this; }
        const_iterator& operator++() {
            if (++offset_ == (*owner_)[chunk_]->size()) {
                ++chunk_;
                offset_ = 0;
            }
            return *this;
        }
        const_iterator operator++(int) {
            const_iterator copy = *this;
            ++*this;
            return copy;
        }
        friend bool operator==(const const_iterator& a, const const_iterator& b) {
            return a.chunk_ == b.chunk_ && a.offset_ == b.offset_;
        }

    private:
        friend class SharedVector;
        using Chunks = std::vector<SharedChunk<T>>;
        const_iterator(const Chunks* owner, std::size_t chunk, std::size_t offset)
            : owner_(owner), chunk_(chunk), offset_(offset) {}
        const Chunks* owner_ = nullptr;
        std::size_t chunk_ = 0;
        std::size_t offset_ = 0;
    };

    SharedVector() = default;
    SharedVector(std::initializer_list<T> items) {
        for (const T& item : items) push_back(item);
    }
    explicit SharedVector(const std::vector<T>& items) {
        for (const T& item : items) push_back(item);
    }

    std::size_t size() const { return ends_.empty() ? 0 : ends_.back(); }
    bool empty() const { return size() == 0; }

    const T& operator[](std::size_t index) const {
        const auto [chunk, offset] = locate(index);
        return (*chunks_[chunk])[offset];
    }
    const T& front() const { return (*this)[0]; }
    const T& back() const { return chunks_.back()->back(); }

    // Write access to one element; copies its chunk first when another vector shares it.
    T& mut(std::size_t index) {
        const auto [chunk, offset] = locate(index);
        return (*detach(chunk))[offset];
    }

    void push_back(T value) {
        if (chunks_.empty() || chunks_.back()->size() >= kChunkSize) {
            chunks_.emplace_back();
            chunks_.back()->reserve(kChunkSize);
            ends_.push_back(size());
        }
        detach(chunks_.size() - 1)->push_back(std::move(value));
        ++ends_.back();
    }

    void insert(std::size_t index, T value) {
        assert(index <= size());
        if (index == size()) {
            push_back(std::move(value));
            return;
        }
        const auto [chunk, offset] = locate(index);
        auto* items = detach(chunk);
        items->insert(items->begin() + static_cast<std::ptrdiff_t>(offset), std::move(value));
        if (items->size() > 2 * kChunkSize) splitChunk(chunk);
        recomputeEnds(chunk);
    }

    void erase(std::size_t index) {
        const auto [chunk, offset] = locate(index);
        auto* items = detach(chunk);
        items->erase(items->begin() + static_cast<std::ptrdiff_t>(offset));
        if (items->empty()) {
            chunks_.erase(chunks_.begin() + static_cast<std::ptrdiff_t>(chunk));
            ends_.erase(ends_.begin() + static_cast<std::ptrdiff_t>(chunk));
        }
        recomputeEnds(chunk);
    }

    void clear() {
        chunks_.clear();
        ends_.clear();
    }

    const_iterator begin() const { return const_iterator(&chunks_, 0, 0); }
    const_iterator end() const { return const_iterator(&chunks_, chunks_.size(), 0); }

    std::vector<T> toVector() const { return std::vector<T>(begin(), end()); }

    // How many chunks this vector shares with another (for tests and memory accounting).
    std::size_t sharedChunksWith(const SharedVector& other) const {
        std::size_t shared = 0;
        for (const auto& chunk : chunks_)
            if (std::find(other.chunks_.begin(), other.chunks_.end(), chunk) != other.chunks_.end()) ++shared;
        return shared;
    }
    std::size_t chunkCount() const { return chunks_.size(); }

    // Calls visit(identity, items) for each chunk; equal identities mean shared storage (memory accounting).
    template <class Visit>
    void forEachChunk(Visit visit) const {
        for (const auto& chunk : chunks_) visit(static_cast<const void*>(chunk.get()), *chunk);
    }

    friend bool operator==(const SharedVector& a, const SharedVector& b) {
        return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin());
    }

private:
    struct Location {
        std::size_t chunk;
        std::size_t offset;
    };

    Location locate(std::size_t index) const {
        assert(index < size());
        const auto it = std::upper_bound(ends_.begin(), ends_.end(), index);
        const auto chunk = static_cast<std::size_t>(it - ends_.begin());
        const std::size_t chunkStart = chunk == 0 ? 0 : ends_[chunk - 1];
        return {chunk, index - chunkStart};
    }

    std::vector<T>* detach(std::size_t chunk) {
        auto& slot = chunks_[chunk];
        if (!slot.unique()) slot = SharedChunk<T>(*slot);
        return slot.get();
    }

    void splitChunk(std::size_t chunk) {
        auto& items = *chunks_[chunk];
        SharedChunk<T> tail(std::vector<T>(std::make_move_iterator(items.begin() + kChunkSize),
                                           std::make_move_iterator(items.end())));
        items.resize(kChunkSize);
        chunks_.insert(chunks_.begin() + static_cast<std::ptrdiff_t>(chunk) + 1, std::move(tail));
        ends_.insert(ends_.begin() + static_cast<std::ptrdiff_t>(chunk) + 1, 0);
    }

    void recomputeEnds(std::size_t fromChunk) {
        std::size_t end = fromChunk == 0 ? 0 : ends_[fromChunk - 1];
        for (std::size_t i = fromChunk; i < chunks_.size(); ++i) {
            end += chunks_[i]->size();
            ends_[i] = end;
        }
    }

    std::vector<SharedChunk<T>> chunks_;
    std::vector<std::size_t> ends_;  // ends_[i] is one past the index of chunk i's last element
};

}  // namespace marrowick
