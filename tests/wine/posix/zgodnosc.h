// POSIX calls some tests make, for the Windows build of the tests (included before every file): setenv as Windows has it; fork only so the test that needs it compiles, which Wine runs leave out.
#pragma once

#include <sys/types.h>

#include <cstdlib>

inline int setenv(const char* nazwa, const char* wartosc, int) { return _putenv_s(nazwa, wartosc); }
inline pid_t fork() { return -1; }
