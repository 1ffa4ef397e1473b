#pragma once
// Symbol visibility of the rendering library.
#if defined(GPUFRAME_BUILDING)
#define GPUFRAME_API __attribute__((visibility("default")))
#else
#define GPUFRAME_API
#endif
