#pragma once
// The store library's single export.

#include "ILumetraDBInterface.h"

#if defined(LUMETRADB_BUILDING)
#define LUMETRADB_EXPORT __attribute__((visibility("default")))
#else
#define LUMETRADB_EXPORT
#endif

// Allocates a new, unconnected store object and stores it in *out; returns 1.
// The object is destroyed with its Release(). Any thread; no database access.
extern "C" LUMETRADB_EXPORT int CreateDBInstance(ILumetraDBInterface** out);
