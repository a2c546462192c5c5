// The free-running kernels for x86-64 processors with AVX-512: the sixteen lanes of an orbit block
// fill one register. Every header comes before the target switch, so nothing shared with other
// files is compiled for these instructions.
#include "AttractorCase.h"
#include "FreeRunKernel.h"
#include "Iterate.h"
#include <cmath>
#include <cstring>

#if defined(__x86_64__)
#pragma GCC push_options
#pragma GCC target("avx512f,avx512vl,avx512dq,avx512bw,avx2,fma,prefer-vector-width=512")
namespace zephyra::kernel_avx512 {
#include "FreeRunKernel.inl"
} // namespace zephyra::kernel_avx512
#pragma GCC pop_options
#endif
