#pragma once
// Walks the records of a mapped data file from the end of its header to its
// end, independently of any index. Damaged stretches are reported as such
// and the walk picks up again at the next record whose header checksum holds,
// so one bad record costs only itself. Used by the index rebuild and the
// integrity check. Cost: one pass over the file (a search through damage).

#include "BimfFormat.h"

#include <cstdint>
#include <string>

namespace bimf {

class RecordScanner
{
public:
    struct Item
    {
        enum class Kind { Frame, Gap, Damaged };
        Kind kind = Kind::Damaged;
        uint64_t offset = 0;
        uint64_t length = 0;      // bytes up to the next item
        RecordHeader record;      // Frame and Gap
        bool jpegIntact = false;  // Frame: the JPEG checksum holds
        std::string why;          // Damaged
    };

    RecordScanner(const uint8_t* data, uint64_t size);

    // The next item; false at the end of the file.
    bool next(Item* item);

private:
    bool recordAt(uint64_t offset, RecordHeader* record, std::string* why) const;
    uint64_t findRecordAfter(uint64_t offset);
    uint64_t nextMagic(const char* magic, uint64_t from, uint64_t* cache) const;

    const uint8_t* data_;
    uint64_t size_;
    uint64_t position_;
    uint64_t nextFrameMagic_ = 0;
    uint64_t nextGapMagic_ = 0;
};

} // namespace bimf
