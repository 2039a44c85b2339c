#include "platform/large_memory.hpp"

#include <new>
#include <sys/mman.h>

namespace {

constexpr std::size_t kHugePage = std::size_t{2} << 20;

// Only advice: without huge pages the memory works the same, just slower to
// fill. The whole mapping is advised, never a part, which would split it in
// pieces that could no longer be resized as one.
void AdviseHugePages(void* memory, std::size_t bytes)
{
#ifdef MADV_HUGEPAGE
    if (bytes >= kHugePage)
        ::madvise(memory, bytes, MADV_HUGEPAGE);
#else
    (void)memory;
    (void)bytes;
#endif
}

} // namespace

void* MapPages(std::size_t bytes)
{
    void* memory = ::mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (memory == MAP_FAILED)
        throw std::bad_alloc();
    AdviseHugePages(memory, bytes);
    return memory;
}

void* ResizePages(void* memory, std::size_t oldBytes, std::size_t bytes)
{
    void* resized = ::mremap(memory, oldBytes, bytes, MREMAP_MAYMOVE);
    if (resized == MAP_FAILED)
        throw std::bad_alloc();
    AdviseHugePages(resized, bytes);
    return resized;
}

void UnmapPages(void* memory, std::size_t bytes) noexcept
{
    if (memory != nullptr)
        ::munmap(memory, bytes);
}
