#pragma once

#include <cstddef>

// Memory for records and their texts in shared blocks rather than one allocation each. Each
// thread carves pieces from a block of its own; a block goes back to the system when every
// piece carved from it is freed, by whichever thread. A piece is never written after it is
// filled, so copies of a text share its piece. Pieces are at most MaxPiece bytes.
//
// Built with AddressSanitizer, every piece is an allocation of its own, so that the
// sanitizer still sees each one's bounds and lifetime.
namespace RecordArena {

inline constexpr std::size_t MaxPiece = 4096;

// A piece of bytes bytes, aligned to alignment (at most 16). Throws std::bad_alloc when the
// system gives no memory.
void* Allocate(std::size_t bytes, std::size_t alignment);
// Another holder of the piece at p, of bytes bytes: p itself, or a copy where pieces are
// not shared. Throws std::bad_alloc as Allocate does.
const void* Share(const void* p, std::size_t bytes);
// Gives up one hold of the piece at p (null does nothing).
void Free(const void* p) noexcept;

// Blocks held from the system now (pieces, where each is an allocation of its own).
std::size_t BlocksInUse() noexcept;

} // namespace RecordArena
