// The free-running kernels for any processor of the target architecture.
#include "AttractorCase.h"
#include "FreeRunKernel.h"
#include "Iterate.h"
#include <cmath>
#include <cstring>

namespace zephyra::kernel_base {
#include "FreeRunKernel.inl"
} // namespace zephyra::kernel_base
