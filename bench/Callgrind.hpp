#pragma once
// Switches callgrind's counting on and off around the measured work when the
// program runs under `valgrind --tool=callgrind --instr-atstart=no`; nothing
// otherwise, and nothing where valgrind's header is missing.
#if __has_include(<valgrind/callgrind.h>)
#include <valgrind/callgrind.h>
#else
#define CALLGRIND_START_INSTRUMENTATION
#define CALLGRIND_STOP_INSTRUMENTATION
#endif
