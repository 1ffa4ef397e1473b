#pragma once
// Marks the store library's classes that the program, its tools and tests
// call. Everything else in the library stays hidden.

#if defined(LUMETRADB_BUILDING)
#define LUMETRADB_API __attribute__((visibility("default")))
#else
#define LUMETRADB_API
#endif
