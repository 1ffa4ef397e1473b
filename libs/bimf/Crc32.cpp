#include "Crc32.h"

#include <array>
#include <bit>
#include <cstring>

namespace bimf {
namespace {

// Slice-by-8 tables: verifying a frame on every fetch must stay cheap next to
// decoding it.
struct CrcTables
{
    std::array<std::array<uint32_t, 256>, 8> t{};

    CrcTables()
    {
        for (uint32_t i = 0; i < 256; ++i) {
            uint32_t c = i;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? (c >> 1) ^ 0xEDB88320u : c >> 1;
            t[0][i] = c;
        }
        for (uint32_t i = 0; i < 256; ++i)
            for (int s = 1; s < 8; ++s)
                t[s][i] = (t[s - 1][i] >> 8) ^ t[0][t[s - 1][i] & 0xFF];
    }
};

const CrcTables& tables()
{
    static const CrcTables instance;
    return instance;
}

} // namespace

uint32_t Crc32(const void* data, size_t size, uint32_t crc)
{
    const auto& t = tables().t;
    const auto* p = static_cast<const uint8_t*>(data);
    crc = ~crc;
    while (size >= 8) {
        uint32_t lo;
        uint32_t hi;
        std::memcpy(&lo, p, 4);
        std::memcpy(&hi, p + 4, 4);
        if constexpr (std::endian::native == std::endian::big) {
            lo = __builtin_bswap32(lo);
            hi = __builtin_bswap32(hi);
        }
        lo ^= crc;
        crc = t[7][lo & 0xFF] ^ t[6][(lo >> 8) & 0xFF] ^ t[5][(lo >> 16) & 0xFF] ^ t[4][lo >> 24]
            ^ t[3][hi & 0xFF] ^ t[2][(hi >> 8) & 0xFF] ^ t[1][(hi >> 16) & 0xFF] ^ t[0][hi >> 24];
        p += 8;
        size -= 8;
    }
    while (size--)
        crc = (crc >> 8) ^ t[0][(crc ^ *p++) & 0xFF];
    return ~crc;
}

} // namespace bimf
