// POSIX calls some tests make, for the Windows build of the tests (included before every file): fork only so the test that needs it compiles, which Wine runs leave out.
#pragma once

#include <sys/types.h>

inline pid_t fork() { return -1; }
