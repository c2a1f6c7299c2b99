#pragma once
// A broken invariant is a crash for the fuzzer, with the line that names it.
#include <cstdio>
#include <cstdlib>

#define Check(condition)                                                                           \
  ((condition) ? (void)0                                                                           \
               : (std::fprintf(stderr, "invariant failed at line %d: %s\n", __LINE__, #condition), \
                  std::abort()))
