#include "BimfMaintenance.h"

#include <cstring>

namespace {

bool isContinuationByte(unsigned char c) { return (c & 0xC0) == 0x80; }

} // namespace

extern "C" size_t BimfCopyText(char* field, size_t size, const char* utf8)
{
    if (!field || size == 0)
        return 0;
    std::memset(field, 0, size);
    if (!utf8)
        return 0;
    size_t length = ::strnlen(utf8, size);
    if (length < size) {
        std::memcpy(field, utf8, length);
        return length;
    }
    // Too long: keep size - 1 bytes, less any started character.
    length = size - 1;
    while (length > 0 && isContinuationByte(static_cast<unsigned char>(utf8[length])))
        --length;
    std::memcpy(field, utf8, length);
    return length;
}

extern "C" int BimfIndexPathFor(const char* dataPath, char* out, size_t size)
{
    if (!dataPath || !out || size == 0)
        return 0;
    const char* slash = std::strrchr(dataPath, '/');
    const char* name = slash ? slash + 1 : dataPath;
    const char* dot = std::strrchr(name, '.');
    const size_t stem = dot && dot != name ? size_t(dot - dataPath) : std::strlen(dataPath);
    if (stem + 5 > size)
        return 0;
    std::memcpy(out, dataPath, stem);
    std::memcpy(out + stem, ".dex", 5);
    return 1;
}
