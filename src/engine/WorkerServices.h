#pragma once
#include "StatusServices.h"

#include <stop_token>

namespace zephyra {

// The engine's services on a worker thread: nothing to show, and a stop request reads as Escape.
class WorkerServices : public StatusServices, public RunServices {
public:
    explicit WorkerServices(std::stop_token stop = {}) : stop_(std::move(stop)) {}
    void ShowStatus(int, const std::string&) override {}
    void ShowCode(const Attractor&) override {}
    void BeginBusy() override {}
    void EndBusy() override {}
    [[nodiscard]] bool EscapePressed() override { return stop_.stop_requested(); }

private:
    std::stop_token stop_;
};

} // namespace zephyra
