#pragma once

#include <sys/types.h>

// How long a thread of this process has run on a processor, and how long it
// stood ready to run while other work held every processor, in ms.
struct ThreadTimes {
    double runningMs = 0;
    double queuedMs = 0;
};

ThreadTimes threadTimes(pid_t thread);
pid_t currentThread();
// The time all threads of this process have stood ready to run so far, ms.
double queuedMsOfAllThreads();
