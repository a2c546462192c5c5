// The map kernel for x86-64 processors with AVX2. Every header comes before the target switch, so
// nothing shared with other files is compiled for these instructions. No FMA: each lane computes
// the orbit of a plain double loop.
#include "AttractorCase.h"
#include "Jacobian.h"
#include "MapKernel.h"
#include <cmath>
#include <cstring>

#if defined(__x86_64__)
#pragma GCC push_options
#pragma GCC target("avx2")
namespace zephyra::map_kernel_avx2 {
#include "MapKernel.inl"
} // namespace zephyra::map_kernel_avx2
#pragma GCC pop_options
#endif
