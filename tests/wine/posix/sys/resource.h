// The resource limits of POSIX, as names only: the Windows build of the tests compiles the one test that sets a file size limit, and Wine runs leave it out.
#pragma once

#include <csignal>

#define SIGXFSZ 25
#define RLIMIT_FSIZE 1
#define RLIM_INFINITY (~0ULL)
struct rlimit { unsigned long long rlim_cur, rlim_max; };
inline int getrlimit(int, rlimit*) { return -1; }
inline int setrlimit(int, const rlimit*) { return -1; }
