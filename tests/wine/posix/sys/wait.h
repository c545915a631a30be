// waitpid of POSIX, as a name only: the Windows build of the tests compiles the one test that forks, and Wine runs leave it out.
#pragma once

#include <sys/types.h>

inline pid_t waitpid(pid_t, int*, int) { return -1; }
