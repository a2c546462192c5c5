#pragma once
#include "DocumentHost.h"

namespace zephyra::bench {

// A host that shows nothing and never reports Escape: the engine's own cost, nothing else.
class NullHost : public DocumentHost {
public:
    void ShowStatus(int, const std::string&) override {}
    void ShowCode(const Attractor&) override {}
    void BeginBusy() override {}
    void EndBusy() override {}
    bool EscapePressed() override { return false; }
    void MessageBox(const std::string&, const std::string&, MessageIcon) override {}
};

} // namespace zephyra::bench
