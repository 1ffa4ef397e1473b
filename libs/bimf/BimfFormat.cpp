#include "BimfFormat.h"

#include "Crc32.h"

#include <cstring>

namespace bimf {
namespace {

void put16(uint8_t* p, uint16_t v)
{
    p[0] = uint8_t(v);
    p[1] = uint8_t(v >> 8);
}

void put32(uint8_t* p, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        p[i] = uint8_t(v >> (8 * i));
}

void put64(uint8_t* p, uint64_t v)
{
    for (int i = 0; i < 8; ++i)
        p[i] = uint8_t(v >> (8 * i));
}

uint16_t get16(const uint8_t* p) { return uint16_t(p[0] | (p[1] << 8)); }

uint32_t get32(const uint8_t* p)
{
    return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
}

uint64_t get64(const uint8_t* p) { return uint64_t(get32(p)) | (uint64_t(get32(p + 4)) << 32); }

// The integer fields of the header record are stored little-endian whatever
// the host; texts and bytes are copied as they are.
void encodeTrackInfo(const UniversalTrackInfo_Ex& t, uint8_t* out)
{
    std::memcpy(out, &t, sizeof t);
    put32(out + offsetof(UniversalTrackInfo_Ex, PhotoNum), uint32_t(t.PhotoNum));
    const int16_t shorts[] = {t.StartKm, t.StartM, t.EndKM, t.EndM, t.VResolution,
                              t.HResolution, t.VPixelNum, t.HPixelNum, t.PhotoType};
    for (size_t i = 0; i < 9; ++i)
        put16(out + offsetof(UniversalTrackInfo_Ex, StartKm) + 2 * i, uint16_t(shorts[i]));
}

UniversalTrackInfo_Ex decodeTrackInfo(const uint8_t* in)
{
    UniversalTrackInfo_Ex t;
    std::memcpy(&t, in, sizeof t);
    t.PhotoNum = int32_t(get32(in + offsetof(UniversalTrackInfo_Ex, PhotoNum)));
    int16_t* shorts[] = {&t.StartKm, &t.StartM, &t.EndKM, &t.EndM, &t.VResolution,
                         &t.HResolution, &t.VPixelNum, &t.HPixelNum, &t.PhotoType};
    for (size_t i = 0; i < 9; ++i)
        *shorts[i] = int16_t(get16(in + offsetof(UniversalTrackInfo_Ex, StartKm) + 2 * i));
    return t;
}

bool refuse(std::string* why, std::string text)
{
    if (why)
        *why = std::move(text);
    return false;
}

} // namespace

uint32_t EncodeDataHeader(const DataHeader& header, uint8_t* out)
{
    std::memset(out, 0, kDataHeaderSize);
    std::memcpy(out, kDataMagic, 8);
    put16(out + 8, kFormatVersion);
    put16(out + 10, kDataHeaderSize);
    put32(out + 12, header.flags);
    encodeTrackInfo(header.track, out + 16);
    put32(out + 184, kRecordHeaderSize);
    const uint32_t crc = Crc32(out, 252);
    put32(out + 252, crc);
    return crc;
}

bool DecodeDataHeader(const uint8_t* data, size_t size, DataHeader* header, std::string* why)
{
    if (size == 0)
        return refuse(why, "the data file is empty");
    if (size < 8 || std::memcmp(data, kDataMagic, 8) != 0)
        return refuse(why, "not a big data file (no data file magic)");
    if (size < kDataHeaderSize)
        return refuse(why, "the data file ends inside its header (" + std::to_string(size) + " of "
                               + std::to_string(kDataHeaderSize) + " bytes)");
    const uint16_t version = get16(data + 8);
    if (version != kFormatVersion)
        return refuse(why, "unsupported data file version " + std::to_string(version));
    if (get16(data + 10) != kDataHeaderSize || get32(data + 184) != kRecordHeaderSize)
        return refuse(why, "the data file header declares unknown block sizes");
    const uint32_t crc = get32(data + 252);
    if (!ChecksumMatches(crc, Crc32(data, 252)))
        return refuse(why, "the data file header checksum does not match (header damaged)");
    header->flags = get32(data + 12);
    header->track = decodeTrackInfo(data + 16);
    header->crc = crc;
    return true;
}

void EncodeRecordHeader(const RecordHeader& record, uint8_t* out)
{
    std::memset(out, 0, kRecordHeaderSize);
    if (record.gap) {
        std::memcpy(out, kGapMagic, 4);
        put64(out + 8, record.gapBytes);
    } else {
        std::memcpy(out, kFrameMagic, 4);
        put32(out + 4, uint32_t(record.frameNumber));
        put16(out + 8, uint16_t(record.km));
        put16(out + 10, uint16_t(record.m));
        put32(out + 12, uint32_t(record.captureTime));
        put32(out + 16, record.jpegSize);
        put32(out + 20, record.jpegCrc);
        put64(out + 24, record.sequence);
    }
    put32(out + 44, Crc32(out, 44));
}

bool DecodeRecordHeader(const uint8_t* data, size_t size, RecordHeader* record, std::string* why)
{
    if (size < kRecordHeaderSize)
        return refuse(why, "the data file ends inside a frame record header");
    const bool frame = std::memcmp(data, kFrameMagic, 4) == 0;
    const bool gap = std::memcmp(data, kGapMagic, 4) == 0;
    if (!frame && !gap)
        return refuse(why, "no frame record magic");
    if (!ChecksumMatches(get32(data + 44), Crc32(data, 44)))
        return refuse(why, "frame record header checksum does not match");
    RecordHeader r;
    r.gap = gap;
    if (gap) {
        r.gapBytes = get64(data + 8);
    } else {
        r.frameNumber = int32_t(get32(data + 4));
        r.km = int16_t(get16(data + 8));
        r.m = int16_t(get16(data + 10));
        r.captureTime = int32_t(get32(data + 12));
        r.jpegSize = get32(data + 16);
        r.jpegCrc = get32(data + 20);
        r.sequence = get64(data + 24);
        if (r.jpegSize == 0 || r.jpegSize > uint32_t(INT32_MAX))
            return refuse(why, "frame record declares an impossible size " + std::to_string(r.jpegSize));
    }
    *record = r;
    return true;
}

void EncodeIndexHeader(const IndexHeader& header, uint8_t* out)
{
    std::memset(out, 0, kIndexHeaderSize);
    std::memcpy(out, kIndexMagic, 8);
    put16(out + 8, kFormatVersion);
    put16(out + 10, kIndexHeaderSize);
    put16(out + 12, kIndexEntrySize);
    put64(out + 16, header.frameCount);
    put64(out + 24, header.dataFileSize);
    put32(out + 32, header.dataHeaderCrc);
    put32(out + 36, header.entriesCrc);
    put32(out + 60, Crc32(out, 60));
}

bool DecodeIndexHeader(const uint8_t* data, size_t size, IndexHeader* header, std::string* why)
{
    if (size == 0)
        return refuse(why, "the index file is empty (was the writer finished?)");
    if (size < 8 || std::memcmp(data, kIndexMagic, 8) != 0)
        return refuse(why, "not a big-file index (no index magic)");
    if (size < kIndexHeaderSize)
        return refuse(why, "the index ends inside its header (" + std::to_string(size) + " of "
                               + std::to_string(kIndexHeaderSize) + " bytes)");
    const uint16_t version = get16(data + 8);
    if (version != kFormatVersion)
        return refuse(why, "unsupported index version " + std::to_string(version));
    if (get16(data + 10) != kIndexHeaderSize || get16(data + 12) != kIndexEntrySize)
        return refuse(why, "the index header declares unknown block sizes");
    if (!ChecksumMatches(get32(data + 60), Crc32(data, 60)))
        return refuse(why, "the index header checksum does not match (header damaged)");
    header->frameCount = get64(data + 16);
    header->dataFileSize = get64(data + 24);
    header->dataHeaderCrc = get32(data + 32);
    header->entriesCrc = get32(data + 36);
    return true;
}

void EncodeIndexEntry(const IndexEntry& e, uint8_t* out)
{
    std::memset(out, 0, kIndexEntrySize);
    put64(out, e.offset);
    put32(out + 8, e.jpegSize);
    put32(out + 12, uint32_t(e.frameNumber));
    put16(out + 16, uint16_t(e.km));
    put16(out + 18, uint16_t(e.m));
    put32(out + 20, uint32_t(e.captureTime));
    put32(out + 24, e.jpegCrc);
}

IndexEntry DecodeIndexEntry(const uint8_t* p)
{
    IndexEntry e;
    e.offset = get64(p);
    e.jpegSize = get32(p + 8);
    e.frameNumber = int32_t(get32(p + 12));
    e.km = int16_t(get16(p + 16));
    e.m = int16_t(get16(p + 18));
    e.captureTime = int32_t(get32(p + 20));
    e.jpegCrc = get32(p + 24);
    return e;
}

std::vector<uint8_t> EncodeIndex(const std::vector<IndexEntry>& entries, uint64_t dataFileSize,
                                 uint32_t dataHeaderCrc)
{
    std::vector<uint8_t> bytes(kIndexHeaderSize + entries.size() * kIndexEntrySize);
    for (size_t i = 0; i < entries.size(); ++i)
        EncodeIndexEntry(entries[i], bytes.data() + kIndexHeaderSize + i * kIndexEntrySize);
    IndexHeader header;
    header.frameCount = entries.size();
    header.dataFileSize = dataFileSize;
    header.dataHeaderCrc = dataHeaderCrc;
    header.entriesCrc = Crc32(bytes.data() + kIndexHeaderSize, bytes.size() - kIndexHeaderSize);
    EncodeIndexHeader(header, bytes.data());
    return bytes;
}

IndexEntry EntryFor(const RecordHeader& r, uint64_t offset)
{
    IndexEntry e;
    e.offset = offset;
    e.jpegSize = r.jpegSize;
    e.frameNumber = r.frameNumber;
    e.km = r.km;
    e.m = r.m;
    e.captureTime = r.captureTime;
    e.jpegCrc = r.jpegCrc;
    return e;
}

} // namespace bimf
