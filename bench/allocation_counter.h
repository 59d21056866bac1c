// Counts calls of the global operator new, so a benchmark can report allocations per iteration.
#pragma once

#include <cstddef>

namespace bench {

size_t Allocations();

}  // namespace bench
