#include "RecordArena.h"

#include <sys/mman.h>

#include <atomic>
#include <cstdint>
#include <new>

#if defined(__SANITIZE_ADDRESS__)
#define QUARN_PLAIN_PIECES 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define QUARN_PLAIN_PIECES 1
#endif
#endif

namespace RecordArena {
namespace {

std::atomic<std::size_t> g_blocks{0};

#ifndef QUARN_PLAIN_PIECES

// Blocks are aligned to their size, so that a piece's block is its address rounded down.
constexpr std::size_t BlockSize = std::size_t(256) << 10;

struct BlockHeader {
    // One hold for each piece and copy alive, and one while the block is a thread's current.
    std::atomic<std::size_t> holds;
};
constexpr std::size_t FirstPiece = 64; // the header, on a line of its own

BlockHeader* BlockOf(const void* p) {
    return reinterpret_cast<BlockHeader*>(reinterpret_cast<std::uintptr_t>(p) &
                                          ~(std::uintptr_t(BlockSize) - 1));
}

// Maps twice the size and unmaps the ends: what stays is aligned to its size. Untouched
// pages of a block cost no memory.
char* MapBlock() {
    void* area =
        mmap(nullptr, 2 * BlockSize, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (area == MAP_FAILED)
        throw std::bad_alloc();
    const auto start = reinterpret_cast<std::uintptr_t>(area);
    const std::uintptr_t aligned = (start + BlockSize - 1) & ~(std::uintptr_t(BlockSize) - 1);
    if (aligned > start)
        munmap(area, aligned - start);
    if (const std::uintptr_t end = start + 2 * BlockSize; end > aligned + BlockSize)
        munmap(reinterpret_cast<void*>(aligned + BlockSize), end - aligned - BlockSize);
    auto* block = reinterpret_cast<char*>(aligned);
    new (block) BlockHeader{1};
    g_blocks.fetch_add(1, std::memory_order_relaxed);
    return block;
}

void Release(BlockHeader* header) noexcept {
    if (header->holds.fetch_sub(1, std::memory_order_acq_rel) == 1) {
        munmap(header, BlockSize);
        g_blocks.fetch_sub(1, std::memory_order_relaxed);
    }
}

// The calling thread's blocks and how much of each is carved: one for texts (aligned to two
// bytes) and one for the rest, so that no record waits for alignment behind a text. Plain
// data: it stays usable while the thread's other objects are destroyed; the blocks it holds
// are given up at thread exit.
struct Current {
    char* block;
    std::size_t used;
};
thread_local Current t_current[2] = {{nullptr, 0}, {nullptr, 0}};

struct CurrentRelease {
    bool armed = false;
    ~CurrentRelease() {
        for (Current& current : t_current) {
            if (current.block != nullptr)
                Release(reinterpret_cast<BlockHeader*>(current.block));
            current = {nullptr, 0};
        }
    }
};
thread_local CurrentRelease t_release;

#endif

} // namespace

#ifndef QUARN_PLAIN_PIECES

void* Allocate(std::size_t bytes, std::size_t alignment) {
    if (bytes > MaxPiece || alignment > 16)
        throw std::bad_alloc();
    Current& current = t_current[alignment > 2 ? 1 : 0];
    std::size_t at = (current.used + alignment - 1) & ~(alignment - 1);
    if (current.block == nullptr || at + bytes > BlockSize) {
        char* block = MapBlock();
        if (current.block != nullptr)
            Release(reinterpret_cast<BlockHeader*>(current.block));
        else
            t_release.armed = true; // the thread's first block: given up at its exit
        current = {block, FirstPiece};
        at = FirstPiece;
    }
    reinterpret_cast<BlockHeader*>(current.block)->holds.fetch_add(1, std::memory_order_relaxed);
    current.used = at + bytes;
    return current.block + at;
}

const void* Share(const void* p, std::size_t) {
    if (p != nullptr)
        BlockOf(p)->holds.fetch_add(1, std::memory_order_relaxed);
    return p;
}

void Free(const void* p) noexcept {
    if (p != nullptr)
        Release(BlockOf(p));
}

#else

void* Allocate(std::size_t bytes, std::size_t alignment) {
    if (bytes > MaxPiece || alignment > 16)
        throw std::bad_alloc();
    g_blocks.fetch_add(1, std::memory_order_relaxed);
    return ::operator new(bytes);
}

const void* Share(const void* p, std::size_t bytes) {
    if (p == nullptr)
        return nullptr;
    void* copy = Allocate(bytes, 16);
    __builtin_memcpy(copy, p, bytes);
    return copy;
}

void Free(const void* p) noexcept {
    if (p != nullptr) {
        g_blocks.fetch_sub(1, std::memory_order_relaxed);
        ::operator delete(const_cast<void*>(p));
    }
}

#endif

std::size_t BlocksInUse() noexcept {
    return g_blocks.load(std::memory_order_relaxed);
}

} // namespace RecordArena
