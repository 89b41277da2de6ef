#pragma once

// Counts calls of the global operator new in this benchmark binary, so a
// benchmark can show that its loop allocates nothing.

#include <cstdint>

namespace vorni::bench {
std::uint64_t allocationCount();
}
