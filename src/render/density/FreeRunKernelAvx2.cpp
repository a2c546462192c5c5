// The free-running kernels for x86-64 processors with AVX2 and FMA. Every header comes before the
// target switch, so nothing shared with other files is compiled for these instructions.
#include "AttractorCase.h"
#include "FreeRunKernel.h"
#include "Iterate.h"
#include <cmath>
#include <cstring>

#if defined(__x86_64__)
#pragma GCC push_options
#pragma GCC target("avx2,fma")
namespace zephyra::kernel_avx2 {
#include "FreeRunKernel.inl"
} // namespace zephyra::kernel_avx2
#pragma GCC pop_options
#endif
