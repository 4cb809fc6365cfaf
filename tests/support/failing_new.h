// A global operator new that fails on request, for the out-of-memory test programs. Include it
// in exactly one source of such a program (it replaces the program's allocation functions); the
// shared test program never includes it.
#pragma once

#include <cstddef>
#include <cstdlib>
#include <new>

// 0: allocations succeed; k > 0: the k-th allocation from now throws std::bad_alloc, and the
// ones after it succeed again.
inline long gAllocationCountdown = 0;

// Anything larger fails at once, so a grid too large for the heap is refused without touching
// real memory.
inline constexpr std::size_t kLargestAllocation = std::size_t{1} << 30;

namespace failing_new {

inline void* Allocate(std::size_t size) {
  if (size > kLargestAllocation) throw std::bad_alloc();
  if (gAllocationCountdown > 0 && --gAllocationCountdown == 0) throw std::bad_alloc();
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}

}  // namespace failing_new

void* operator new(std::size_t size) { return failing_new::Allocate(size); }
void* operator new[](std::size_t size) { return failing_new::Allocate(size); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
