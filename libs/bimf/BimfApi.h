#pragma once
// Export macro of the big-file library. The library is plain C++ (no Qt), so
// command-line tools and the fuzz target can link it alone.

#if defined(BIMF_BUILDING)
#define BIMF_API __attribute__((visibility("default")))
#else
#define BIMF_API
#endif
