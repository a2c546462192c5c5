#pragma once
#include <sys/resource.h>
#include <unistd.h>

namespace zephyra {

// Puts the calling thread, and the threads it starts, below the user-interface thread and a run,
// which must never wait for figures computed in the background.
inline void LowerThreadPriority()
{
    constexpr int NICENESS = 10;
    setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), NICENESS);
}

} // namespace zephyra
