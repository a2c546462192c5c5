#pragma once
#include <cstddef>
#include <memory>

namespace zephyra {

// Fresh anonymous pages, zeroed by the system when first touched, so that a sparse attractor
// costs only the pages it hits. Huge pages keep scattered writes from missing the address cache
// at nearly every point of a buffer of a hundred megabytes, and take a fault every 2 MiB rather
// than every 4 KiB. Null when the memory cannot be had.
struct UnmapPages {
    std::size_t bytes;
    void operator()(void* p) const;
};
using ZeroedPages = std::unique_ptr<void, UnmapPages>;
[[nodiscard]] ZeroedPages MapZeroedPages(std::size_t bytes);
// Has the system zero the `bytes` at `p` of such pages now, on the calling thread, rather than at
// their first use. They stay zero.
void TouchPages(void* p, std::size_t bytes);

// `count` floats, all 0, on such pages.
class ZeroedFloats {
public:
    // False, leaving none, when the memory cannot be had.
    [[nodiscard]] bool Assign(std::size_t count);
    [[nodiscard]] float& operator[](std::size_t i) const { return data_[i]; }
    [[nodiscard]] float* begin() const { return data_; }
    [[nodiscard]] float* end() const { return data_ + size_; }
    [[nodiscard]] std::size_t size() const { return size_; }
    [[nodiscard]] bool empty() const { return size_ == 0; }
    // Has the system zero every page now (see TouchPages).
    void Touch() const { TouchPages(data_, size_ * sizeof(float)); }

private:
    ZeroedPages pages_{nullptr, UnmapPages{0}};
    float* data_ = nullptr;
    std::size_t size_ = 0;
};

} // namespace zephyra
