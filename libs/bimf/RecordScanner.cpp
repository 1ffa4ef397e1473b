#include "RecordScanner.h"

#include "Crc32.h"

#include <algorithm>
#include <cstring>

namespace bimf {

RecordScanner::RecordScanner(const uint8_t* data, uint64_t size)
    : data_(data), size_(size), position_(std::min<uint64_t>(kDataHeaderSize, size))
{
}

bool RecordScanner::recordAt(uint64_t offset, RecordHeader* record, std::string* why) const
{
    if (!DecodeRecordHeader(data_ + offset, size_ - offset, record, why))
        return false;
    if (record->span() > size_ - offset) {
        *why = "the record is cut short by the end of the file";
        return false;
    }
    return true;
}

// The first place at or after `from` where `magic` starts, size_ when none.
// The answer is kept in `cache`, so searching through a long damaged stretch
// stays linear.
uint64_t RecordScanner::nextMagic(const char* magic, uint64_t from, uint64_t* cache) const
{
    if (*cache >= from && *cache != 0)
        return *cache;
    const void* hit = from < size_ ? ::memmem(data_ + from, size_ - from, magic, 4) : nullptr;
    *cache = hit ? uint64_t(static_cast<const uint8_t*>(hit) - data_) : size_;
    return *cache;
}

uint64_t RecordScanner::findRecordAfter(uint64_t offset)
{
    uint64_t from = offset + 1;
    while (from < size_) {
        const uint64_t candidate = std::min(nextMagic(kFrameMagic, from, &nextFrameMagic_),
                                            nextMagic(kGapMagic, from, &nextGapMagic_));
        if (candidate >= size_)
            break;
        RecordHeader record;
        std::string why;
        if (recordAt(candidate, &record, &why))
            return candidate;
        from = candidate + 1;
    }
    return size_;
}

bool RecordScanner::next(Item* item)
{
    if (position_ >= size_)
        return false;
    *item = Item{};
    item->offset = position_;
    if (recordAt(position_, &item->record, &item->why)) {
        item->length = item->record.span();
        if (item->record.gap) {
            item->kind = Item::Kind::Gap;
        } else {
            item->kind = Item::Kind::Frame;
            item->jpegIntact = ChecksumMatches(
                item->record.jpegCrc, Crc32(data_ + position_ + kRecordHeaderSize, item->record.jpegSize));
        }
    } else {
        item->kind = Item::Kind::Damaged;
        item->length = findRecordAfter(position_) - position_;
    }
    position_ += item->length;
    return true;
}

} // namespace bimf
