// Large buffers filled at once. Each is mapped on its own and aligned so that the
// system may back it with huge pages: filling megabytes then costs a few page
// faults instead of one per 4 KiB page, which on a virtual machine is most of
// the time taken.
#pragma once

#include <cstddef>

namespace korax {

// Zeroed memory of at least `bytes`; nullptr when there is none.
char* BIGALLOC(std::size_t bytes);
// Frees what BIGALLOC(bytes) gave; nullptr is ignored.
void BIGFREE(char* p, std::size_t bytes);

}  // namespace korax
