#include "HugePages.h"

#include <cstdint>
#include <cstdlib>
#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>

// A run touches every page of the schema's model once, and on a virtual machine a page fault costs
// microseconds: page faults were a third of a large schema's run. The heap is given 64 MiB of address space
// ahead (none of it is memory until touched), which the kernel is asked to fill 2 MiB at a time; memory the
// heap takes beyond that gets ordinary pages. Nothing changes where the kernel has no huge pages to give, or
// where malloc is not the C library's (a sanitizer's, a profiler's).
void preferHugePages() {
    constexpr std::size_t ahead = std::size_t(64) << 20;
    constexpr std::uintptr_t hugePage = std::uintptr_t(2) << 20;
    if (mallopt(M_TOP_PAD, int(ahead)) != 1)
        return;
    // Large blocks come from the heap too, so that the script's buffer gets huge pages as well.
    mallopt(M_MMAP_THRESHOLD, int(ahead / 2));
    // A block larger than the heap's free top makes the heap grow by the block and the 64 MiB, which are
    // then its free top: the region advised.
    void* volatile block = std::malloc(mallinfo2().keepcost + 1); // volatile: kept though never used
    std::free(block);
    const auto end = reinterpret_cast<std::uintptr_t>(sbrk(0));
    const std::uintptr_t start = (end - ahead + hugePage - 1) & ~(hugePage - 1);
    if (mallinfo2().keepcost >= ahead && end > start)
        madvise(reinterpret_cast<void*>(start), end - start, MADV_HUGEPAGE);
}
