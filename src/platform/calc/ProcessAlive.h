#pragma once
// Whether a process runs, as the offices' watchers need to know it.

#include <sys/types.h>

namespace tabora::calc {

// Alive and not a zombie waiting for its parent (an office's keeper, say) to reap it.
bool ProcessAlive(pid_t pid);

}  // namespace tabora::calc
