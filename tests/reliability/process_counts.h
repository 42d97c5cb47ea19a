#pragma once

#include <cstddef>
#include <cstdint>

namespace hopwick::testing {

// What this process holds and has done, as the kernel and the allocator count it.
std::size_t openDescriptorCount();
// Children of this process that have ended and were never waited for.
int zombieChildCount();
// Bytes this process has read with read() and its kin, from /proc/self/io.
std::uint64_t bytesReadSoFar();
// Bytes of the heap in use now.
std::size_t heapBytesInUse();

} // namespace hopwick::testing
