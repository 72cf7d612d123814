#include "platform/core/large_buffers.h"

#include <cstdint>

#if defined(__linux__)
#include <sys/mman.h>
#endif

void AdviseLargeBuffer(void* Data, std::size_t Bytes)
{
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    // The large page size of the common processors; a range holding none is left alone.
    constexpr std::uintptr_t page = std::uintptr_t(2) << 20;
    const std::uintptr_t start = reinterpret_cast<std::uintptr_t>(Data);
    const std::uintptr_t first = (start + page - 1) & ~(page - 1);
    const std::uintptr_t end = (start + Bytes) & ~(page - 1);
    if (Data == nullptr || end <= first) return;
    // A refusal (no large pages configured) leaves the buffer as it was.
    ::madvise(reinterpret_cast<void*>(first), end - first, MADV_HUGEPAGE);
#else
    (void)Data;
    (void)Bytes;
#endif
}
