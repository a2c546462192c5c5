#include "ZeroedPages.h"

#include <sys/mman.h>

namespace zephyra {

ZeroedPages MapZeroedPages(std::size_t bytes)
{
    void* p = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (p == MAP_FAILED)
        return ZeroedPages(nullptr, UnmapPages{0});
    madvise(p, bytes, MADV_HUGEPAGE);
    return ZeroedPages(p, UnmapPages{bytes});
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
