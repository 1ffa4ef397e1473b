#pragma once
// The byte layout of the data file (.bimf) and the index (.dex); the
// document docs/BIMF-FORMAT.md describes the same bytes. Everything is
// little-endian and every offset is 64 bits. Decoding checks magic, sizes and
// checksums and says why a block is refused; it never reads past `size`.
// Pure functions; any thread.

#include "BimfRecords.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace bimf {

constexpr uint16_t kFormatVersion = 1;

constexpr size_t kDataHeaderSize = 256;
constexpr size_t kRecordHeaderSize = 48;
constexpr size_t kIndexHeaderSize = 64;
constexpr size_t kIndexEntrySize = 32;

constexpr char kDataMagic[8] = {'L', 'B', 'M', 'F', 'D', 'A', 'T', 'A'};
constexpr char kIndexMagic[8] = {'L', 'B', 'M', 'F', 'I', 'N', 'D', 'X'};
constexpr char kFrameMagic[4] = {'F', 'R', 'M', 'E'};
constexpr char kGapMagic[4] = {'G', 'A', 'P', '_'};

// Data header flag: the header's PhotoNum and end fields are final (set by
// the writer's Final or by an index rebuild).
constexpr uint32_t kDataFlagComplete = 1u;

struct DataHeader
{
    uint32_t flags = 0;
    UniversalTrackInfo_Ex track{};
    uint32_t crc = 0;  // of the first 252 bytes, filled by decode
};

struct RecordHeader
{
    bool gap = false;          // a gap record: `gapBytes` of filler follow it
    int32_t frameNumber = 0;
    int16_t km = 0;
    int16_t m = 0;
    int32_t captureTime = 0;
    uint32_t jpegSize = 0;
    uint32_t jpegCrc = 0;
    uint64_t sequence = 0;     // 0-based place among the frames written
    uint64_t gapBytes = 0;

    // Bytes from the record's start to the next record.
    uint64_t span() const { return kRecordHeaderSize + (gap ? gapBytes : jpegSize); }
};

struct IndexHeader
{
    uint64_t frameCount = 0;
    uint64_t dataFileSize = 0;
    uint32_t dataHeaderCrc = 0;
    uint32_t entriesCrc = 0;
};

struct IndexEntry
{
    uint64_t offset = 0;       // of the frame record in the data file
    uint32_t jpegSize = 0;
    int32_t frameNumber = 0;
    int16_t km = 0;
    int16_t m = 0;
    int32_t captureTime = 0;
    uint32_t jpegCrc = 0;

    bool operator==(const IndexEntry&) const = default;
};

// Encoders fill exactly the block size (kDataHeaderSize, ...). The data
// header's encoder answers the checksum it wrote, which the index is tied to.
uint32_t EncodeDataHeader(const DataHeader& header, uint8_t* out);
void EncodeRecordHeader(const RecordHeader& record, uint8_t* out);
void EncodeIndexHeader(const IndexHeader& header, uint8_t* out);
void EncodeIndexEntry(const IndexEntry& entry, uint8_t* out);

// Decoders answer false with `why` when the bytes are not such a block.
bool DecodeDataHeader(const uint8_t* data, size_t size, DataHeader* header, std::string* why);
bool DecodeRecordHeader(const uint8_t* data, size_t size, RecordHeader* record, std::string* why);
bool DecodeIndexHeader(const uint8_t* data, size_t size, IndexHeader* header, std::string* why);
IndexEntry DecodeIndexEntry(const uint8_t* data);

// The whole index file for `entries` of a data file of `dataFileSize` bytes
// whose header checksum is `dataHeaderCrc`. Cost: linear in the entries.
std::vector<uint8_t> EncodeIndex(const std::vector<IndexEntry>& entries, uint64_t dataFileSize,
                                 uint32_t dataHeaderCrc);

// The index entry that describes a frame record found at `offset`.
IndexEntry EntryFor(const RecordHeader& record, uint64_t offset);

// Search key of a position, ordered by km and then m. A kilometre may be
// longer than 1000 m (a long chain), so 1 km 1050 m and 2 km 50 m are two
// places and must not share a key, as km * 1000 + m would make them.
inline int64_t PositionKey(int16_t km, int16_t m) { return int64_t(km) * 65536 + m; }

} // namespace bimf
