#pragma once
// The control library's single export.

#include "ILumetraDrawControlCore.h"

#if defined(LUMETRAIMAGE_BUILDING)
#define LUMETRAIMAGE_EXPORT __attribute__((visibility("default")))
#else
#define LUMETRAIMAGE_EXPORT
#endif

// Allocates one control object without a window, stores its
// ILumetraDrawControlCore* in *out and returns 1. User-interface thread.
extern "C" LUMETRAIMAGE_EXPORT int CreateImageCoreInstance(void** out);
