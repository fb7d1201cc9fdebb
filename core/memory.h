// Heap blocks and raw memory operations, with the argument orders the rest of
// the program uses: Move(source, destination, count), Fill(destination, count,
// byte), Compare(first, second, count).
#pragma once
#include <cstddef>
#include <cstdint>

namespace core {

// Returns nullptr when the block cannot be had. The caller owns it: Free it.
void* Allocate(std::size_t size);
void Free(void* block);

// Overlapping ranges are allowed.
void Move(const void* src, void* dest, std::size_t count);
void Fill(void* dest, std::size_t count, std::uint8_t value);

// Number of equal leading bytes: the blocks are equal exactly when it is count.
std::size_t Compare(const void* first, const void* second, std::size_t count);

}  // namespace core
