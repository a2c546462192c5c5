#pragma once
#include "CZephyraDoc.h"
#include "FakeHost.h"

#include <gtest/gtest.h>

#include <string>

namespace zephyra::testing {

inline constexpr const char* HENON = "EWM?MPMMWMMMM";

// A document without configuration on a recording host, with a fixed seed.
class DocumentTest : public ::testing::Test {
protected:
    DocumentTest() { doc.SetObserver(&host); }

    FakeHost host;
    CZephyraDoc doc{host, nullptr, 12345};

    [[nodiscard]] AttractorRef Code(const std::string& code, int points = 50000) const
    {
        AttractorRef a = Attractor::CreateFromCode(code, doc.defaults());
        a->pointsCount = points;
        return a;
    }
    // Computes without search and checks it finished.
    AttractorRef Shown(const std::string& code, int points = 50000)
    {
        AttractorRef a = Code(code, points);
        EXPECT_TRUE(doc.ComputePoints(a, false, false, nullptr)) << code;
        return a;
    }
};

} // namespace zephyra::testing
