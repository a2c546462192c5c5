// The map kernel for any processor of the target architecture.
#include "AttractorCase.h"
#include "Jacobian.h"
#include "MapKernel.h"
#include <cmath>
#include <cstring>

namespace zephyra::map_kernel_base {
#include "MapKernel.inl"
} // namespace zephyra::map_kernel_base
