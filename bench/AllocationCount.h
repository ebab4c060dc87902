#pragma once

#include <cstddef>

// Heap allocations made by this process so far, so that a benchmark can show
// how many allocations its operation makes per line or per byte.
std::size_t AllocationCount();
