#pragma once
// CRC-32 (the common reflected polynomial 0xEDB88320, as in zip and PNG), so
// the checksums in our files can be verified with any standard tool.
// Pure function; any thread. Cost: linear in `size`.

#include <cstddef>
#include <cstdint>

namespace bimf {

// Continues `crc` (0 to start) over `size` bytes.
uint32_t Crc32(const void* data, size_t size, uint32_t crc = 0);

// Whether a stored checksum matches the computed one. Fuzz builds
// (FUZZING_BUILD_MODE_UNSAFE_FOR_PRODUCTION) accept every checksum, so the
// fuzzer reaches the checks behind them instead of stopping at the first one.
inline bool ChecksumMatches(uint32_t stored, uint32_t computed)
{
#ifdef FUZZING_BUILD_MODE_UNSAFE_FOR_PRODUCTION
    (void)stored;
    (void)computed;
    return true;
#else
    return stored == computed;
#endif
}

} // namespace bimf
