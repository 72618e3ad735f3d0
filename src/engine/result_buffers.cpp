#include "engine/result_buffers.h"

#include <algorithm>
#include <atomic>
#include <cstring>

namespace tavrel {
namespace {

/// A per-slot member of TResult as bytes: where it starts, the size of one slot, which slots
/// changed.
struct Block {
    std::size_t offset = 0;
    std::size_t slotSize = 0;
    int slots = 0;
    const bool* changed = nullptr;
};

std::size_t OffsetOf(const TResult& r, const void* member) {
    return static_cast<std::size_t>(static_cast<const char*>(member) -
                                    reinterpret_cast<const char*>(&r));
}

template <typename Member, std::size_t N>
Block BlockOf(const TResult& r, const std::array<Member, N>& member, const bool* changed) {
    return {OffsetOf(r, &member), sizeof(Member), static_cast<int>(N), changed};
}

constexpr bool Never = false;

void CopyBytes(TResult& to, const TResult& from, std::size_t offset, std::size_t size) {
    std::memcpy(reinterpret_cast<char*>(&to) + offset,
                reinterpret_cast<const char*>(&from) + offset, size);
}

} // namespace

void CopyChangedResults(TResult& to, const TResult& from, const ResultChanges& changes) {
    ResultChanges slots = changes;
    if (changes.all) {
        slots.baffle.fill(true);
        slots.directions.fill(true);
        slots.time.fill(true);
    }
    std::array<Block, 7> blocks{
        // The receiver of a snapshot may mark it outdated at any time; the engine sets its own.
        Block{OffsetOf(from, &from.Valid), sizeof(from.Valid), 1, &Never},
        BlockOf(from, from.BaffleFront, slots.baffle.data()),
        BlockOf(from, from.BaffleRear, slots.baffle.data()),
        BlockOf(from, from.DirFront, slots.directions.data()),
        BlockOf(from, from.DirRear, slots.directions.data()),
        BlockOf(from, from.Impulse, slots.time.data()),
        BlockOf(from, from.Step, slots.time.data()),
    };
    std::sort(blocks.begin(), blocks.end(),
              [](const Block& a, const Block& b) { return a.offset < b.offset; });
    // Whatever lies between the blocks is small: it is copied whole, fields added later too.
    std::size_t done = 0;
    for (const Block& block : blocks) {
        CopyBytes(to, from, done, block.offset - done);
        for (int s = 0; s < block.slots; ++s) {
            if (block.changed[s]) {
                CopyBytes(to, from, block.offset + s * block.slotSize, block.slotSize);
            }
        }
        done = block.offset + block.slots * block.slotSize;
    }
    CopyBytes(to, from, done, sizeof(TResult) - done);
}

ResultBuffers::ResultBuffers() : m_current(MakeSharedResult()) {}

TResult& ResultBuffers::writable() {
    if (!m_shared) {
        return *m_current;
    }
    if (spareFree()) {
        // The receiver's last use of the snapshot happened before it let go of it.
        std::atomic_thread_fence(std::memory_order_acquire);
        CopyChangedResults(*m_spare, *m_current, m_changes);
    } else {
        m_spare = MakeSharedResult(); // still held: a whole copy after all
        CopyChangedResults(*m_spare, *m_current, ResultChanges{.all = true});
    }
    std::swap(m_current, m_spare);
    m_changes = ResultChanges{};
    m_shared = false;
    return *m_current;
}

void ResultBuffers::clear() {
    m_current = MakeSharedResult();
    m_shared = false;
    m_changes.all = true;
}

void ResultBuffers::prepare() {
    if (m_shared && spareFree()) {
        writable();
    }
}

std::shared_ptr<TResult> ResultBuffers::share() {
    m_shared = true;
    return m_current;
}

} // namespace tavrel
