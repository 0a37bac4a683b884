#include "platform/memory.h"

#include <sys/mman.h>

#include <cstdint>

namespace korax {

namespace {

constexpr std::uintptr_t HUGEPAGE = std::uintptr_t(2) << 20;

std::size_t whole_pages(std::size_t bytes) { return (bytes + HUGEPAGE - 1) / HUGEPAGE * HUGEPAGE; }

}  // namespace

char* BIGALLOC(std::size_t bytes) {
    const std::size_t len = whole_pages(bytes == 0 ? 1 : bytes);
    void* m = ::mmap(nullptr, len + HUGEPAGE, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (m == MAP_FAILED) return nullptr;
    // Mapped one huge page larger, then cut to an aligned start.
    const auto a = reinterpret_cast<std::uintptr_t>(m);
    const std::uintptr_t start = (a + HUGEPAGE - 1) & ~(HUGEPAGE - 1);
    if (start > a) ::munmap(m, start - a);
    const std::uintptr_t end = start + len, mapped = a + len + HUGEPAGE;
    if (mapped > end) ::munmap(reinterpret_cast<void*>(end), mapped - end);
    ::madvise(reinterpret_cast<void*>(start), len, MADV_HUGEPAGE);  // a hint; without it, small pages
    return reinterpret_cast<char*>(start);
}

void BIGFREE(char* p, std::size_t bytes) {
    if (p) ::munmap(p, whole_pages(bytes == 0 ? 1 : bytes));
}

}  // namespace korax
