// The printer's side of a benchmark keeps its own time, as a printer does whatever load the PC
// carries: its thread asks for a real-time priority (granted to root, silently refused
// otherwise) and a timer slack of a nanosecond. Whatever is left of late wake-ups is then the
// program's, which runs at its ordinary priority.
#pragma once

#include <pthread.h>
#include <sched.h>
#include <sys/prctl.h>

namespace kelm::bench {

inline void RunAsDevice() {
  prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
  sched_param param{};
  param.sched_priority = 1;
  pthread_setschedparam(pthread_self(), SCHED_FIFO, &param);
}

}  // namespace kelm::bench
