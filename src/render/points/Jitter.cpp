#include "Jitter.h"

namespace zephyra {

namespace {

constexpr JitterSample FOUR_SAMPLES[] = {
    {-0.208147f, 0.353730f},
    {0.203849f, -0.353780f},
    {-0.292626f, -0.149945f},
    {0.296924f, 0.149994f},
};

constexpr JitterSample EIGHT_SAMPLES[] = {
    {-0.334818f, 0.435331f}, {0.286438f, -0.393495f},  {0.459462f, 0.141540f}, {-0.414498f, -0.192829f},
    {-0.183790f, 0.082102f}, {-0.079263f, -0.317383f}, {0.102254f, 0.299133f}, {0.164216f, -0.054399f},
};

} // namespace

std::span<const JitterSample> JitterTable(int antialias)
{
    if (antialias == 0)
        return FOUR_SAMPLES;
    return EIGHT_SAMPLES;
}

float JitterWeight(int antialias)
{
    return antialias == 0 ? 0.25f : 0.125f;
}

} // namespace zephyra
