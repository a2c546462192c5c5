#include "FreeRunKernel.h"

namespace zephyra {

namespace kernel_base {
LaneKernel SelectKernel(const OrbitSource& source, bool colors);
}
#if defined(__x86_64__)
namespace kernel_avx2 {
LaneKernel SelectKernel(const OrbitSource& source, bool colors);
}
namespace kernel_avx512 {
LaneKernel SelectKernel(const OrbitSource& source, bool colors);
}
#endif

namespace {
// splitmix64: each lane draws its own start points, so a lane's orbit depends on its seed alone.
std::uint64_t NextRandom(std::uint64_t& state)
{
    std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}
} // namespace

OrbitLanes::OrbitLanes(const OrbitSource& source, std::uint64_t seed, std::uint32_t orbitSteps_)
    : orbitSteps(orbitSteps_ > 0 ? orbitSteps_ : 1)
{
    std::uint64_t mix = seed;
    for (int l = 0; l < ORBIT_LANES; ++l) {
        random[l] = NextRandom(mix);
        Restart(source, l);
    }
    restarts = 0;
}

void OrbitLanes::Restart(const OrbitSource& source, int lane)
{
    ++restarts;
    const std::size_t n = source.starts.size();
    const Point start = n ? source.starts[NextRandom(random[lane]) % n] : Point{};
    for (int k = 0; k < 4; ++k)
        p[k][lane] = start[k];
}

LaneKernel SelectLaneKernel(const OrbitSource& source, bool colors)
{
#if defined(__x86_64__)
    if (__builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512vl") &&
        __builtin_cpu_supports("avx512dq") && __builtin_cpu_supports("avx512bw"))
        return kernel_avx512::SelectKernel(source, colors);
    if (__builtin_cpu_supports("avx2") && __builtin_cpu_supports("fma"))
        return kernel_avx2::SelectKernel(source, colors);
#endif
    return kernel_base::SelectKernel(source, colors);
}

} // namespace zephyra
