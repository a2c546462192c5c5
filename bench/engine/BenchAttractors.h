#pragma once
#include "CZephyraDoc.h"
#include "NullHost.h"

namespace zephyra::bench {

// A chaotic attractor of the case, found by the program's own search with a fixed seed, so that
// every benchmark runs on a bounded orbit and every run on the same one.
inline AttractorRef ChaoticAttractor(char letter, int pointsCount)
{
    NullHost host;
    CZephyraDoc doc(host, nullptr, 20261208);
    DocumentSettings settings = doc.settings();
    settings.defaults.defaultPointsCount = 20000;
    doc.ApplySettings(settings);
    AttractorRef a = doc.NewRandomAttractor(letter);
    doc.SetAttractor(a, SA_RANDOMIZE, letter);
    a->pointsCount = pointsCount;
    return a;
}

} // namespace zephyra::bench
