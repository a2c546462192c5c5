#include "ZeroedPages.h"

#include <sys/mman.h>

namespace zephyra {

namespace {
constexpr std::size_t PAGE_BYTES = 4096; // the smallest page of the systems we run on
} // namespace

ZeroedPages MapZeroedPages(std::size_t bytes)
{
    void* p = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (p == MAP_FAILED)
        return ZeroedPages(nullptr, UnmapPages{0});
    madvise(p, bytes, MADV_HUGEPAGE);
    return ZeroedPages(p, UnmapPages{bytes});
}

void TouchPages(void* p, std::size_t bytes)
{
    if (bytes == 0 || madvise(p, bytes, MADV_POPULATE_WRITE) == 0)
        return;
    // A system without that advice zeroes a page at its first write: writing a zero changes nothing.
    auto* const byte = static_cast<volatile unsigned char*>(p);
    for (std::size_t i = 0; i < bytes; i += PAGE_BYTES)
        byte[i] = 0;
}

void UnmapPages::operator()(void* p) const
{
    munmap(p, bytes);
}

bool ZeroedFloats::Assign(std::size_t count)
{
    pages_.reset();
    data_ = nullptr;
    size_ = 0;
    if (count == 0)
        return true;
    pages_ = MapZeroedPages(count * sizeof(float));
    if (!pages_)
        return false;
    data_ = static_cast<float*>(pages_.get());
    size_ = count;
    return true;
}

} // namespace zephyra
